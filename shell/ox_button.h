#pragma once
// The push button every window of the editor uses: a solid dark-blue face,
// white one-line Arial caption 11 px high, Windows 95-style borders with a
// sky-blue highlight and the button-shadow colour. It keeps no pressed state.

#include <QAbstractButton>
#include <QColor>

namespace klv::shell {

inline const QColor kPanelBlue(0, 50, 100);        // colour value 6566400
inline const QColor kSkyBlueHighlight(166, 202, 240);

class OxButton : public QAbstractButton {
    Q_OBJECT
public:
    OxButton(const QString& caption, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace klv::shell
