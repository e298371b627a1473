"""What a screen reader reads of the browser: its accessibility tree over AT-SPI."""


def _atspi():
    import pyatspi
    from gi.repository import Atspi

    # A call to a program that is busy fails fast instead of hanging the suite.
    Atspi.set_timeout(5000, 15000)
    return pyatspi, Atspi


class Node:
    """One accessible object, read afresh at every access."""

    def __init__(self, accessible):
        self.acc = accessible

    @property
    def name(self):
        return self.acc.name or ""

    @property
    def role(self):
        return self.acc.getRoleName()

    def children(self):
        return [Node(self.acc.getChildAtIndex(i)) for i in range(self.acc.childCount)]

    @property
    def showing(self):
        pyatspi, _ = _atspi()
        return self.acc.getState().contains(pyatspi.STATE_SHOWING)

    def state(self, state_name):
        pyatspi, _ = _atspi()
        return self.acc.getState().contains(getattr(pyatspi, "STATE_" + state_name.upper()))

    @property
    def extents(self):
        pyatspi, _ = _atspi()
        box = self.acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return box.x, box.y, box.width, box.height

    @property
    def centre(self):
        x, y, width, height = self.extents
        return x + width // 2, y + height // 2

    @property
    def text(self):
        text = self.acc.queryText()
        return text.getText(0, text.characterCount)

    @property
    def description(self):
        return self.acc.description or ""

    def find_all(self, role=None, name=None, limit=4000, into_pages=False):
        """Nodes below this one with the role and name given (None matches any), in
        tree order. Pages' own content is left out unless asked for."""
        found, pending, seen = [], [self], 0
        while pending and seen < limit:
            node = pending.pop(0)
            seen += 1
            try:
                kids = node.children()
            except Exception:
                continue
            for kid in kids:
                try:
                    kid_role, kid_name = kid.role, kid.name
                except Exception:
                    continue
                if (role is None or kid_role == role) and (name is None or kid_name == name):
                    found.append(kid)
                if kid_role != "document web" or into_pages:
                    pending.append(kid)
        return found

    def find(self, role=None, name=None, **options):
        nodes = self.find_all(role, name, **options)
        return nodes[0] if nodes else None
