// The grid-size dialog driven without the main window: the two callbacks
// stand in for the level rebuild and the main window's size label.
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "shell/grid_size_dialog.h"
#include "shell/grid_size_text.h"
#include "shell/ox_button.h"

using klv::shell::Form2;
using klv::shell::OxButton;
using klv::shell::TForm2;

namespace {

// What the dialog asked of its owner.
struct OwnerRecord {
    std::vector<std::pair<std::int32_t, std::int32_t>> applied;
    std::vector<QString> labels;
};

TForm2* makeDialog(OwnerRecord& record, QWidget* owner = nullptr) {
    return new TForm2(
        owner, [&record](std::int32_t w, std::int32_t h) { record.applied.emplace_back(w, h); },
        [&record](const QString& text) { record.labels.push_back(text); });
}

template <typename T>
T* child(QWidget* dialog, const char* name) {
    T* found = dialog->findChild<T*>(QLatin1String(name));
    if (found == nullptr) {
        qFatal("no child %s", name);
    }
    return found;
}

// Replaces an edit's text the way a user does: select all, type.
void typeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

}  // namespace

class TestGridSizeDialog : public QObject {
    Q_OBJECT
private slots:
    void parseTable_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");  // -1: rejected
        QTest::newRow("one digit") << "7" << 7;
        QTest::newRow("two digits") << "20" << 20;
        QTest::newRow("leading zero") << "07" << 7;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("largest") << "99" << 99;
        QTest::newRow("plus sign") << "+7" << 7;
        QTest::newRow("leading blank") << " 7" << 7;
        QTest::newRow("trailing blank") << "7 " << 7;
        QTest::newRow("blanks and plus") << "  +12  " << 12;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("blanks only") << "  " << -1;
        QTest::newRow("plus only") << "+" << -1;
        QTest::newRow("negative") << "-5" << -1;
        QTest::newRow("minus zero") << "-0" << -1;
        QTest::newRow("letters") << "ab" << -1;
        QTest::newRow("digit and letter") << "1a" << -1;
        QTest::newRow("inner blank") << "1 2" << -1;
        QTest::newRow("blank after sign") << "+ 7" << -1;
        QTest::newRow("two signs") << "++7" << -1;
        QTest::newRow("hex") << "$F" << -1;
        QTest::newRow("above the largest") << "100" << -1;
        QTest::newRow("would overflow") << "99999999999999999999" << -1;
        QTest::newRow("arabic-indic digit") << QString(QChar(0x0667)) << -1;
        QTest::newRow("fullwidth digit") << QString(QChar(0xFF17)) << -1;
    }
    void parseTable() {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const auto parsed = klv::shell::ParseGridSize(text);
        if (expected < 0) {
            QVERIFY2(!parsed.has_value(), qPrintable(QString::number(parsed.value_or(0))));
        } else {
            QVERIFY(parsed.has_value());
            QCOMPARE(*parsed, expected);
        }
    }

    void layout() {
        OwnerRecord record;
        const std::unique_ptr<TForm2> dialog(makeDialog(record));
        QVERIFY(dialog->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(dialog->size(), QSize(242, 96));
        QCOMPARE(dialog->palette().color(QPalette::Window), QColor(0, 50, 100));
        QCOMPARE(dialog->font().family(), QStringLiteral("Arial"));
        QCOMPARE(dialog->font().pixelSize(), 11);

        auto* panel = child<QWidget>(dialog.get(), "Panel1");
        QCOMPARE(panel->geometry(), QRect(0, 0, 242, 96));

        auto* label1 = child<QLabel>(dialog.get(), "Label1");
        QCOMPARE(label1->text(), QStringLiteral("Weidht"));
        // Labels sit at their design place and are at least their design
        // size; they may grow to show the whole caption in a stand-in font.
        QCOMPARE(label1->pos(), QPoint(21, 24));
        QVERIFY(label1->width() >= 33 && label1->height() >= 14);
        QCOMPARE(label1->palette().color(QPalette::WindowText), QColor(Qt::white));
        auto* label2 = child<QLabel>(dialog.get(), "Label2");
        QCOMPARE(label2->text(), QStringLiteral("Heigth"));
        QCOMPARE(label2->pos(), QPoint(132, 24));
        QVERIFY(label2->width() >= 30 && label2->height() >= 14);
        for (QLabel* label : {label1, label2}) {
            QVERIFY(label->width() >= label->sizeHint().width());
        }
        QVERIFY(label1->geometry().right() < 59);   // clear of Edit1
        QVERIFY(label2->geometry().right() < 170);  // clear of Edit2

        auto* edit1 = child<QLineEdit>(dialog.get(), "Edit1");
        auto* edit2 = child<QLineEdit>(dialog.get(), "Edit2");
        QCOMPARE(edit1->geometry(), QRect(59, 19, 47, 22));
        QCOMPARE(edit2->geometry(), QRect(170, 19, 47, 22));
        for (QLineEdit* edit : {edit1, edit2}) {
            QCOMPARE(edit->parentWidget(), panel);
            QCOMPARE(edit->text(), QStringLiteral("15"));
            QCOMPARE(edit->maxLength(), 2);
            QCOMPARE(edit->palette().color(QPalette::Base), QColor(0, 50, 100));
            QCOMPARE(edit->palette().color(QPalette::Text), QColor(Qt::white));
            QCOMPARE(edit->font().family(), QStringLiteral("Arial"));
        }

        auto* ok = child<OxButton>(dialog.get(), "oxButton7");
        auto* cancel = child<OxButton>(dialog.get(), "oxButton1");
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(ok->geometry(), QRect(42, 62, 75, 25));
        QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
        QCOMPARE(cancel->geometry(), QRect(129, 62, 75, 25));

        // Tab order: Edit1, Edit2, OK, Cancel, and round to Edit1.
        const std::vector<QWidget*> order{edit1, edit2, ok, cancel, edit1};
        for (std::size_t i = 0; i + 1 < order.size(); ++i) {
            QWidget* next = order[i]->nextInFocusChain();
            while (next != nullptr && next->focusPolicy() == Qt::NoFocus) {
                next = next->nextInFocusChain();
            }
            QCOMPARE(next, order[i + 1]);
        }
    }

    void backgroundIsDarkBlue() {
        OwnerRecord record;
        const std::unique_ptr<TForm2> dialog(makeDialog(record));
        const QImage image = dialog->grab().toImage();
        QCOMPARE(image.pixelColor(120, 50), QColor(0, 50, 100));
        QCOMPARE(image.pixelColor(5, 90), QColor(0, 50, 100));
    }

    void centredOverItsOwner() {
        QWidget owner;
        owner.setGeometry(200, 150, 700, 493);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        OwnerRecord record;
        const std::unique_ptr<TForm2> dialog(makeDialog(record, &owner));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        const QPoint offset = dialog->frameGeometry().center() - owner.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
        dialog->reject();
    }

    void typingInEitherEditMirrorsAtOnce_data() {
        QTest::addColumn<QString>("typedInto");
        QTest::addColumn<QString>("mirroredIn");
        QTest::newRow("width to height") << "Edit1" << "Edit2";
        QTest::newRow("height to width") << "Edit2" << "Edit1";
    }
    void typingInEitherEditMirrorsAtOnce() {
        QFETCH(QString, typedInto);
        QFETCH(QString, mirroredIn);
        OwnerRecord record;
        const std::unique_ptr<TForm2> dialog(makeDialog(record));
        dialog->show();
        auto* typed = child<QLineEdit>(dialog.get(), qPrintable(typedInto));
        auto* mirrored = child<QLineEdit>(dialog.get(), qPrintable(mirroredIn));

        int mirroredChanges = 0;
        connect(mirrored, &QLineEdit::textChanged, [&mirroredChanges] { ++mirroredChanges; });
        typed->setFocus();
        typed->selectAll();
        QTest::keyClick(typed, Qt::Key_Backspace);
        QCOMPARE(mirrored->text(), QString());
        QTest::keyClick(typed, Qt::Key_7);
        QCOMPARE(typed->text(), QStringLiteral("7"));
        QCOMPARE(mirrored->text(), QStringLiteral("7"));
        // One keystroke, one copy each: the pair settles.
        QCOMPARE(mirroredChanges, 2);
        QVERIFY(record.applied.empty());
        dialog->reject();
    }

    void editsTakeAtMostTwoCharacters() {
        OwnerRecord record;
        const std::unique_ptr<TForm2> dialog(makeDialog(record));
        dialog->show();
        auto* edit1 = child<QLineEdit>(dialog.get(), "Edit1");
        typeInto(edit1, QStringLiteral("123"));
        QCOMPARE(edit1->text(), QStringLiteral("12"));
        QCOMPARE(child<QLineEdit>(dialog.get(), "Edit2")->text(), QStringLiteral("12"));
        dialog->reject();
    }

    void okAppliesValidSizes_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("label");
        QTest::newRow("seven") << "7" << 7 << "7X7";
        QTest::newRow("leading zero kept in the label") << "07" << 7 << "07X07";
        QTest::newRow("twenty") << "20" << 20 << "20X20";
        QTest::newRow("zero") << "0" << 0 << "0X0";
        QTest::newRow("largest") << "99" << 99 << "99X99";
        QTest::newRow("plus sign") << "+7" << 7 << "+7X+7";
    }
    void okAppliesValidSizes() {
        QFETCH(QString, typed);
        QFETCH(int, size);
        QFETCH(QString, label);
        OwnerRecord record;
        const std::unique_ptr<TForm2> dialog(makeDialog(record));
        dialog->show();
        typeInto(child<QLineEdit>(dialog.get(), "Edit1"), typed);
        QTest::mouseClick(child<OxButton>(dialog.get(), "oxButton7"), Qt::LeftButton);

        QCOMPARE(record.applied.size(), std::size_t{1});
        QCOMPARE(record.applied[0], std::make_pair(size, size));
        QCOMPARE(record.labels, std::vector<QString>{label});
        QVERIFY(dialog->isHidden());
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(dialog->sizeApplied());
    }

    // The edits start at "15" whatever the level; OK with it still rebuilds.
    void okWithUntouchedEditsRebuildsAt15() {
        OwnerRecord record;
        const std::unique_ptr<TForm2> dialog(makeDialog(record));
        dialog->show();
        QTest::mouseClick(child<OxButton>(dialog.get(), "oxButton7"), Qt::LeftButton);
        QCOMPARE(record.applied, (std::vector<std::pair<std::int32_t, std::int32_t>>{{15, 15}}));
        QCOMPARE(record.labels, std::vector<QString>{QStringLiteral("15X15")});
    }

    void okWithBadTextChangesNothing_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("empty") << "";
        QTest::newRow("letters") << "ab";
        QTest::newRow("negative") << "-5";
        QTest::newRow("blanks only") << "  ";
    }
    void okWithBadTextChangesNothing() {
        QFETCH(QString, typed);
        OwnerRecord record;
        const std::unique_ptr<TForm2> dialog(makeDialog(record));
        dialog->show();
        typeInto(child<QLineEdit>(dialog.get(), "Edit1"), typed);
        QCOMPARE(child<QLineEdit>(dialog.get(), "Edit2")->text(), typed);

        QTest::mouseClick(child<OxButton>(dialog.get(), "oxButton7"), Qt::LeftButton);
        QVERIFY(record.applied.empty());
        QVERIFY(record.labels.empty());
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->sizeApplied());

        QTest::mouseClick(child<OxButton>(dialog.get(), "oxButton1"), Qt::LeftButton);
        QVERIFY(dialog->isHidden());
        QVERIFY(record.applied.empty());
        QVERIFY(record.labels.empty());
    }

    void cancelAndEscapeLeaveEverything_data() {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("Cancel") << false;
        QTest::newRow("Escape") << true;
    }
    void cancelAndEscapeLeaveEverything() {
        QFETCH(bool, byEscape);
        OwnerRecord record;
        const std::unique_ptr<TForm2> dialog(makeDialog(record));
        dialog->show();
        typeInto(child<QLineEdit>(dialog.get(), "Edit1"), QStringLiteral("9"));
        if (byEscape) {
            QTest::keyClick(child<QLineEdit>(dialog.get(), "Edit1"), Qt::Key_Escape);
        } else {
            QTest::mouseClick(child<OxButton>(dialog.get(), "oxButton1"), Qt::LeftButton);
        }
        QVERIFY(dialog->isHidden());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(record.applied.empty());
        QVERIFY(record.labels.empty());
    }

    void systemCloseLeavesTheLabel() {
        OwnerRecord record;
        const std::unique_ptr<TForm2> dialog(makeDialog(record));
        dialog->show();
        QVERIFY(dialog->close());
        QVERIFY(record.applied.empty());
        QVERIFY(record.labels.empty());
    }

    // The way the main window runs it: modal, then deleted; Form2 follows.
    void modalRunAndForm2Lifetime() {
        QCOMPARE(Form2, nullptr);
        OwnerRecord record;
        TForm2* dialog = makeDialog(record);
        QCOMPARE(Form2, dialog);
        QTimer::singleShot(0, dialog, [dialog] {
            typeInto(dialog->findChild<QLineEdit*>(QStringLiteral("Edit2")), QStringLiteral("5"));
            QTest::mouseClick(dialog->findChild<OxButton*>(QStringLiteral("oxButton7")), Qt::LeftButton);
        });
        QCOMPARE(dialog->exec(), int(QDialog::Accepted));
        QCOMPARE(Form2, dialog);
        delete dialog;
        QCOMPARE(Form2, nullptr);
        QCOMPARE(record.applied, (std::vector<std::pair<std::int32_t, std::int32_t>>{{5, 5}}));
        QCOMPARE(record.labels, std::vector<QString>{QStringLiteral("5X5")});
    }
};

QTEST_MAIN(TestGridSizeDialog)
#include "test_grid_size_dialog.moc"
