#pragma once
// The two file dialogs of the level commands, behind an interface so tests can
// answer them. An empty result means the dialog was cancelled.

#include <QString>

class QWidget;

namespace klv::shell {

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Save: no question before replacing a file; the chosen file need not exist.
    virtual QString GetSaveFileName(QWidget* parent, const QString& folder, const QString& filter,
                                    const QString& defaultSuffix) = 0;
    // Open: does not test that the chosen file exists.
    virtual QString GetOpenFileName(QWidget* parent, const QString& folder, const QString& filter) = 0;
};

// The real dialogs.
class QtFileDialogs final : public FileDialogs {
public:
    QString GetSaveFileName(QWidget* parent, const QString& folder, const QString& filter,
                            const QString& defaultSuffix) override;
    QString GetOpenFileName(QWidget* parent, const QString& folder, const QString& filter) override;
};

}  // namespace klv::shell
