#pragma once
// The fixed texts of the main window and the small rules that build its
// variable ones (title, size label, error-box text).

#include <QString>

#include <cstdint>

namespace klv::shell {

inline const QString kApplicationTitle = QStringLiteral("Kelvaran2 LevelEditor");
inline const QString kUntitledTitle = QStringLiteral("Kelvaran2 LevelEditor--Untitled");
inline const QString kTitlePrefix = QStringLiteral("Kelvaran2 LevelEditor--");
inline const QString kLevelFileFilter = QStringLiteral("Kelvaran2 Map (*.klv)");
inline const QString kLevelFileSuffix = QStringLiteral("klv");
inline const QString kSaveCompletedText = QStringLiteral("Save completed.");
inline const QString kInformationCaption = QStringLiteral("Information");
inline const QString kWarningCaption = QStringLiteral("Warning");
inline const QString kErrorCaption = QStringLiteral("Error");
inline const QString kBitmapNotValidText = QStringLiteral("Bitmap image is not valid");

// What follows the last "/" of a path; empty for a path naming a folder.
QString FileNamePart(const QString& path);

// "Kelvaran2 LevelEditor--" and the file-name part of the level file.
QString TitleForFile(const QString& path);

// The size label after an open: width, a capital "X", height.
QString SizeLabelText(std::int32_t width, std::int32_t height);

// The text of the application's error box: a "." is appended when the last
// character sorts after ".", so sentences end with one and texts that already
// end in punctuation such as ")" or "!" stay as they are.
QString ErrorBoxText(const QString& message);

// The report of a save that could not write its file.
QString SaveFailedText(const QString& reason);

}  // namespace klv::shell
