#pragma once
// The about box: the banner, the product name with its version, a rights
// notice, a contact line and a "Close" button.
//
// Closing it by any means schedules its own deletion (deleteLater), so the
// usual call is
//
//     Form3 = new TForm3(this);
//     Form3->exec();
//
// and nothing else. Deleting it right after exec() returns is also safe: the
// pending deletion goes with the object.

#include <QDialog>

class QFrame;
class QLabel;

namespace klv::shell {

class OxButton;

class TForm3 : public QDialog {
    Q_OBJECT
public:
    // Stores the new box in Form3. It is centred on the screen, not on
    // `owner`.
    explicit TForm3(QWidget* owner);
    ~TForm3() override;  // runs FormDestroy

    TForm3(const TForm3&) = delete;
    TForm3& operator=(const TForm3&) = delete;

    // Every way of closing ends here; it runs FormClose once.
    void done(int result) override;

public slots:
    void oxButton9Click();  // Close

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormClose();
    void FormDestroy();

    bool closed_ = false;

    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    OxButton* oxButton9 = nullptr;
};

// The about box while one exists, else null. Set by TForm3's constructor and
// emptied by its destructor.
extern TForm3* Form3;

}  // namespace klv::shell
