// The source view keeps its text until it is shown, and shows the latest text it was given.
#include "hosted/sourceeditor.h"

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
    view.show();
    view.setText("<p>page</p>");
    QTest::keyClicks(view.editor(), "typed ");
    QVERIFY(view.text().contains("typed"));
    // The same markup read again replaces the edits, as a fresh read should.
    view.setText("<p>page</p>");
    QCOMPARE(view.editor()->text(), QStringLiteral("<p>page</p>"));
    QCOMPARE(view.text(), QStringLiteral("<p>page</p>"));
}

QTEST_MAIN(TestSourceEditor)
#include "tst_sourceeditor.moc"
