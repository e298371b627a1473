// The source view keeps its text until it is shown, and shows the latest text it was given.
#include "support/input.h"
#include "tabs/sourceeditor.h"

#include <QFontMetricsF>
#include <Qsci/qscilexer.h>
#include <Qsci/qsciscintilla.h>
#include <QTest>

class TestSourceEditor : public QObject
{
    Q_OBJECT
private slots:
    void textWaitsUntilShown();
    void languageReachesTheEditor();
    void userEditsGiveWayToFreshMarkup();
    void everyColourDrawsAtTheDesignSize();
};

void TestSourceEditor::textWaitsUntilShown()
{
    SourceEditor view;
    view.setText("<p>first</p>");
    view.setText("<p>second</p>");
    QCOMPARE(view.text(), QStringLiteral("<p>second</p>"));
    QVERIFY(view.findChildren<QsciScintilla *>().isEmpty());
    view.show();
    QCOMPARE(view.editor()->text(), QStringLiteral("<p>second</p>"));
    // Once on screen, text goes straight in; hidden again, it waits again.
    view.setText("<p>third</p>");
    QCOMPARE(view.editor()->text(), QStringLiteral("<p>third</p>"));
    view.hide();
    view.setText("<p>fourth</p>");
    QCOMPARE(view.text(), QStringLiteral("<p>fourth</p>"));
    view.show();
    QCOMPARE(view.editor()->text(), QStringLiteral("<p>fourth</p>"));
    // An empty text replaces a long one too.
    view.hide();
    view.setText(QString());
    view.show();
    QCOMPARE(view.editor()->text(), QString());
}

void TestSourceEditor::languageReachesTheEditor()
{
    SourceEditor model;
    model.setLanguage("HTML");
    SourceEditor copy;
    copy.copyConfiguration(model);
    copy.show();
    QVERIFY(copy.editor()->lexer());
    QCOMPARE(QString::fromLatin1(copy.editor()->lexer()->language()), QStringLiteral("HTML"));
    copy.setLanguage("plain");
    QVERIFY(!copy.editor()->lexer());
}

void TestSourceEditor::userEditsGiveWayToFreshMarkup()
{
    SourceEditor view;
    view.resize(400, 300);
    view.show();
    view.setText("<p>page</p>");
    QVERIFY(Input::clickFocus(view.editor()));
    Input::type("typed ");
    QVERIFY(view.text().contains("typed"));
    // The same markup read again replaces the edits, as a fresh read should.
    view.setText("<p>page</p>");
    QCOMPARE(view.editor()->text(), QStringLiteral("<p>page</p>"));
    QCOMPARE(view.text(), QStringLiteral("<p>page</p>"));
}

void TestSourceEditor::everyColourDrawsAtTheDesignSize()
{
    // Each colour of the markup is a style with a font of its own; the editor's own font
    // says nothing about what those draw.
    SourceEditor view;
    view.setLanguage("HTML");
    view.resize(400, 300);
    view.show();
    view.setText("<p class=\"a\">text &amp; <!-- note --><script>var x = 1;</script></p>");
    QsciScintilla *editor = view.editor();
    const QsciLexer *lexer = editor->lexer();
    QVERIFY(lexer);
    const double points = 13.0 * 72.0 / editor->logicalDpiY();
    int styles = 0;
    for (int style = 0; style < 128; ++style) {
        if (lexer->description(style).isEmpty())
            continue;
        ++styles;
        const double size
            = editor->SendScintilla(QsciScintillaBase::SCI_STYLEGETSIZEFRACTIONAL, style) / 100.0;
        QVERIFY2(qAbs(size - points) < 0.02,
            qPrintable(QString("style %1: %2 points").arg(style).arg(size)));
        const QFontMetricsF metrics(lexer->font(style));
        QCOMPARE(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W'));
    }
    QVERIFY(styles > 20);
    // A line of markup is drawn about 13 pixels high.
    const long line = editor->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0);
    QVERIFY2(line >= 13 && line <= 20, qPrintable(QString::number(line)));
}

QTEST_MAIN(TestSourceEditor)
#include "tst_sourceeditor.moc"
