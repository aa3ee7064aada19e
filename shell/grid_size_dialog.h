#pragma once
// The grid-size dialog: two edits that always hold the same text (the grid
// stays square), OK to start an empty level of that size, Cancel to leave.
//
// The dialog knows nothing of the main window: the owner passes what OK
// does (`applySize`: set LevelWidth/LevelHeight and rebuild the level) and
// how the size label is written (`setSizeLabel`). Typical use:
//
//     DXTimer1 off;
//     auto* dialog = new TForm2(this, applySize, setSizeLabel);
//     dialog->exec();
//     delete dialog;          // Form2 becomes empty here
//     DXTimer1 on;
//
// The dialog never deletes itself; whoever creates it deletes it after
// exec() returns.

#include <cstdint>
#include <functional>

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QLineEdit;

namespace klv::shell {

class OxButton;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    using ApplySize = std::function<void(std::int32_t width, std::int32_t height)>;
    using SetSizeLabel = std::function<void(const QString& text)>;

    // Stores the new dialog in Form2. `owner` is the window the dialog is
    // centred over (may be null: then it is centred on the screen).
    TForm2(QWidget* owner, ApplySize applySize, SetSizeLabel setSizeLabel);
    ~TForm2() override;  // runs FormDestroy

    TForm2(const TForm2&) = delete;
    TForm2& operator=(const TForm2&) = delete;

    // True once OK has applied a size.
    bool sizeApplied() const { return applied_; }

    // Every way of closing (OK, Cancel, Escape, the system's close command)
    // ends here; it runs FormClose once.
    void done(int result) override;

public slots:
    void Edit1Change();
    void Edit2Change();
    void oxButton7Click();  // OK
    void oxButton1Click();  // Cancel

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormClose();
    void FormDestroy();

    ApplySize applySize_;
    SetSizeLabel setSizeLabel_;
    bool applied_ = false;
    bool closed_ = false;

    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit2 = nullptr;
    OxButton* oxButton7 = nullptr;
    OxButton* oxButton1 = nullptr;
};

// The grid-size dialog while one exists, else null. Set by TForm2's
// constructor and emptied by its destructor.
extern TForm2* Form2;

}  // namespace klv::shell
