#include "tabs/permissionbar.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString wants(Permission permission)
{
    switch (permission) {
    case Permission::Notifications:
        return QObject::tr("show notifications");
    case Permission::Location:
        return QObject::tr("know your location");
    case Permission::Camera:
        return QObject::tr("use your camera");
    case Permission::Microphone:
        return QObject::tr("use your microphone");
    case Permission::CameraAndMicrophone:
        return QObject::tr("use your camera and microphone");
    }
    return QString();
}

} // namespace

PermissionBar::PermissionBar(PageView *page)
    : QFrame(page)
    , m_question(new QLabel(this))
    , m_settling(new QTimer(this))
{
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setAccessibleName(tr("Question from the site"));
    // The site's name is the page's to choose: plain text.
    m_question->setTextFormat(Qt::PlainText);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_question, 1);
    for (const bool allow : { true, false }) {
        auto *button = new QPushButton(allow ? tr("Allow") : tr("Block"), this);
        connect(button, &QPushButton::clicked, this, [this, allow] { answer(allow); });
        layout->addWidget(button);
        m_buttons << button;
    }
    m_settling->setSingleShot(true);
    m_settling->setInterval(settleMs);
    connect(m_settling, &QTimer::timeout, this, [this] {
        for (QPushButton *button : std::as_const(m_buttons))
            button->setEnabled(true);
    });
    // A line of its own above the page's area, however tall that is, rather than covering
    // the page's top.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    hide();
    auto *box = qobject_cast<QBoxLayout *>(page->layout());
    if (!box) {
        box = new QVBoxLayout(page);
        box->setContentsMargins(0, 0, 0, 0);
        box->addStretch();
    }
    box->insertWidget(0, this);
}

void PermissionBar::ask(const PermissionQuestion &question)
{
    if (!m_open) {
        m_open = question;
        present();
    } else if (m_waiting.size() < waiting) {
        m_waiting.push_back(question);
    }
}

void PermissionBar::hide()
{
    // A button of the bar that goes with the focus would hand it to the next widget in the
    // window, another tab's header, which would come in front: the page takes it back.
    if (isAncestorOf(QApplication::focusWidget()))
        parentWidget()->setFocus(Qt::OtherFocusReason);
    QFrame::hide();
}

void PermissionBar::askNext()
{
    hide();
    while (!m_open && !m_waiting.empty()) {
        m_open = std::move(m_waiting.front());
        m_waiting.pop_front();
        present();
    }
}

void PermissionBar::present()
{
    if (!m_open || !m_inFront)
        return;
    m_question->setText(tr("%1 wants to %2").arg(m_open->site.shown(), wants(m_open->kind)));
    for (QPushButton *button : std::as_const(m_buttons))
        button->setEnabled(false);
    m_settling->start();
    show();
    raise();
}

void PermissionBar::answer(bool allow)
{
    if (!m_open || m_settling->isActive())
        return;
    const PermissionQuestion asked = *std::exchange(m_open, std::nullopt);
    asked.answer(allow);
    // What waits for the same site and kind has its answer now.
    std::erase_if(m_waiting, [&](const PermissionQuestion &question) {
        const bool same = question.site == asked.site && question.kind == asked.kind;
        if (same)
            question.answer(allow);
        return same;
    });
    askNext();
}

void PermissionBar::setInFront(bool inFront)
{
    // Activation tells the tab in front again (a click on the bar's own button moves the
    // focus and activates): only a tab that comes in front shows its question afresh.
    if (std::exchange(m_inFront, inFront) == inFront)
        return;
    if (inFront)
        present();
    else
        hide();
}

void PermissionBar::withdraw()
{
    m_open.reset();
    m_waiting.clear();
    hide();
}

void PermissionBar::refuseAll()
{
    if (m_open)
        std::exchange(m_open, std::nullopt)->refuseForClose();
    for (const PermissionQuestion &question : std::exchange(m_waiting, {}))
        question.refuseForClose();
    hide();
}
