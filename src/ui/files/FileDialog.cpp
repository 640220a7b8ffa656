#include "ui/files/FileDialog.h"

#include "core/controls/ControlMath.h"
#include "core/files/StripExtension.h"
#include "ui/controls/SuperButton.h"
#include "ui/files/DriveControl.h"
#include "ui/platform/Drives.h"
#include "ui/platform/FilePath.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QValidator>

#include <filesystem>
#include <system_error>

namespace qm::ui {

namespace {

bool isRefused(QChar c)
{
    return QString::fromLatin1(FileDialog::RefusedCharacters).contains(c);
}

// Refuses pasted or dropped text holding a refused character; typed ones
// never get this far.
class NameValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        for (QChar c : input)
            if (isRefused(c))
                return Invalid;
        return Acceptable;
    }
};

// Layout in twips: left, top, width, height.
struct TwipRect {
    int left, top, width, height;
};
// A strip at the top shows the folder; everything else keeps its place
// below it.
constexpr int FolderStrip = 300;
constexpr int InteriorWidth = 7095;
constexpr int InteriorHeight = 4665 + FolderStrip;
constexpr TwipRect FolderRect{90, 45, 6855, 240};
constexpr TwipRect DriveListRect{90, 135 + FolderStrip, 6855, 3210};
constexpr TwipRect NameLabelRect{405, 3555 + FolderStrip, 1110, 270};
constexpr TwipRect NameBoxRect{1575, 3480 + FolderStrip, 5355, 420};
constexpr TwipRect HintRect{90, 4005 + FolderStrip, 3650, 555};
constexpr TwipRect CancelRect{3825, 4005 + FolderStrip, 1545, 555};
constexpr TwipRect AcceptRect{5400, 4005 + FolderStrip, 1545, 555};

constexpr quint32 AcceptColour = 0x8A5A1E;   // 0x00BBGGRR: a deep blue
constexpr quint32 CancelColour = 0x707070;

} // namespace

FileDialog::FileDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("fileDialog"));
    setModal(true);
    QFont font(SuperButton::captionFontFamily());
    font.setPixelSize(13);
    setFont(font);

    driveList_ = new DriveControl(this);
    driveList_->setObjectName(QStringLiteral("driveList"));
    driveList_->setAccessibleName(tr("Drives, folders and files"));

    nameLabel_ = new QLabel(tr("File &Name:"), this);
    nameLabel_->setObjectName(QStringLiteral("nameLabel"));

    hintLabel_ = new QLabel(this);
    hintLabel_->setObjectName(QStringLiteral("hintLabel"));
    hintLabel_->setWordWrap(true);
    hintLabel_->setStyleSheet(QStringLiteral("color: #a00000"));

    folderLabel_ = new QLabel(this);
    folderLabel_->setObjectName(QStringLiteral("folderLabel"));

    nameBox_ = new QLineEdit(this);
    nameBox_->setObjectName(QStringLiteral("nameBox"));
    nameBox_->setAccessibleName(tr("File Name"));
    QFont boxFont = font;
    boxFont.setPixelSize(16);
    nameBox_->setFont(boxFont);
    nameBox_->setValidator(new NameValidator(nameBox_));
    nameBox_->setPlaceholderText(tr("Type a name for the file"));
    nameBox_->installEventFilter(this);
    nameLabel_->setBuddy(nameBox_);

    cancelButton_ = new SuperButton(this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    acceptButton_ = new SuperButton(this);
    acceptButton_->setObjectName(QStringLiteral("acceptButton"));

    const auto place = [this](QWidget* w, const TwipRect& r) {
        w->setGeometry(twips(r.left, Qt::Horizontal), twips(r.top, Qt::Vertical),
                       twips(r.width, Qt::Horizontal), twips(r.height, Qt::Vertical));
    };
    setFixedSize(twips(InteriorWidth, Qt::Horizontal), twips(InteriorHeight, Qt::Vertical));
    place(folderLabel_, FolderRect);
    place(driveList_, DriveListRect);
    place(nameLabel_, NameLabelRect);
    place(hintLabel_, HintRect);
    place(nameBox_, NameBoxRect);
    place(cancelButton_, CancelRect);
    place(acceptButton_, AcceptRect);

    for (SuperButton* b : {acceptButton_, cancelButton_}) {
        b->setBorder(3);
        b->setRenderColor(b == acceptButton_ ? AcceptColour : CancelColour);
        b->setFontSize(11.25);
        b->setDialogKeys(true);
    }
    connect(acceptButton_, &SuperButton::Click, this, &FileDialog::acceptTypedName);
    connect(cancelButton_, &SuperButton::Click, this, &FileDialog::cancelChoice);
    cancelButton_->setCaptionWithAccessKey(tr("&Cancel"));
    acceptButton_->setCaptionWithAccessKey(tr("&Open"));

    setTabOrder(nameBox_, acceptButton_);
    setTabOrder(acceptButton_, cancelButton_);
    setTabOrder(cancelButton_, driveList_);

    connect(nameBox_, &QLineEdit::textChanged, this, &FileDialog::rememberTypedName);
    connect(driveList_, &DriveControl::tapped, this, &FileDialog::takeTappedFile);
    connect(driveList_, &DriveControl::doubleTapped, this, &FileDialog::acceptDoubleTappedFile);
}

int FileDialog::twips(int length, Qt::Orientation direction) const
{
    return twipsToPixels(length, direction == Qt::Horizontal ? logicalDpiX() : logicalDpiY());
}

void FileDialog::setAcceptCaption(const QString& caption)
{
    acceptButton_->setCaptionWithAccessKey(caption);
}

void FileDialog::showHint(const QString& text)
{
    hintLabel_->setText(text);
}

void FileDialog::setSaving(bool saving, const QString& tapeFile)
{
    saving_ = saving;
    tapeFile_ = tapeFile;
}

void FileDialog::showFolder()
{
    const QString folder = currentFolder();
    folderLabel_->setToolTip(folder);
    folderLabel_->setText(folderLabel_->fontMetrics().elidedText(folder, Qt::ElideMiddle, folderLabel_->width()));
}

QString FileDialog::withExtension(const QString& name) const
{
    return fileNameFromBytes(qm::StripExtension(fileNameToBytes(name))) + QLatin1String(Extension);
}

void FileDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        prepareForUse();
}

void FileDialog::prepareForUse()
{
    discarded_ = false;
    showHint(QString());
    driveList_->setPattern(QLatin1String(Extension));
    showFolder();
    nameBox_->setText(withExtension(nameBox_->text()));
    // Without a name yet (".Clc"), what is typed goes before the extension.
    if (nameBox_->text() == QLatin1String(Extension))
        nameBox_->setCursorPosition(0);
    nameBox_->setFocus(Qt::OtherFocusReason);
}

void FileDialog::rememberTypedName(const QString& text)
{
    filePath_ = text;
}

bool FileDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == nameBox_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (moveToListKey(key->key()))
            return true;
        if (nameBoxKey(key->text(), key->key()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool FileDialog::moveToListKey(int key)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        driveList_->setFocus(Qt::TabFocusReason);
        return true;
    default:
        return false;
    }
}

bool FileDialog::nameBoxKey(const QString& text, int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // Enter in the name box is the dialog's main action.
        acceptTypedName();
        return true;
    }
    for (QChar c : text) {
        if (isRefused(c)) {
            showHint(tr("A file name cannot contain \"%1\".").arg(c));
            return true;
        }
    }
    if (!text.isEmpty() && text.at(0).isPrint())
        showHint(QString());
    return false;
}

void FileDialog::takeTappedFile()
{
    showFolder();
    // Only a tapped file names the file; opening a folder keeps what was typed.
    if (driveList_->lastTapSelectedFile())
        nameBox_->setText(withExtension(driveList_->FileName()));
}

void FileDialog::acceptDoubleTappedFile()
{
    takeTappedFile();
    // Only a double tap on a file accepts: one on a folder has just opened it,
    // and the file name from an earlier tap must not be taken then.
    const QString name = driveList_->FileName();
    if (name.isEmpty() || !driveList_->lastTapSelectedFile())
        return;
    std::error_code ec;   // relative to the folder shown
    if (std::filesystem::is_regular_file(toFsPath(name), ec))
        acceptTypedName();
}

void FileDialog::acceptTypedName()
{
    const QString typed = nameBox_->text();
    const QString name = withExtension(typed);
    if (fileNameFromBytes(qm::StripExtension(fileNameToBytes(name))).trimmed().isEmpty()) {
        // No name: never a hidden ".Clc". The empty box says what is missing.
        nameBox_->clear();
        nameBox_->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!mayRename(typed, name) || !mayReplace(name))
        return;
    filePath_ = name;
    setResult(QDialog::Accepted);
    hide();
}

void FileDialog::cancelChoice()
{
    filePath_.clear();
    setResult(QDialog::Rejected);
    hide();
}

// Saving over a file other than the tape's own asks first; No keeps the
// dialog open for another name.
bool FileDialog::mayReplace(const QString& name)
{
    if (!saving_)
        return true;
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target = fs::absolute(toFsPath(name), ec);
    if (ec)
        return true;   // the save itself says what is wrong
    if (!fs::exists(fs::symlink_status(target, ec)))
        return true;
    if (!tapeFile_.isEmpty()) {
        std::error_code a, b;
        const fs::path mine = fs::canonical(target, a);
        if (!a && mine == fs::canonical(toFsPath(tapeFile_), b) && !b)
            return true;
    }
    QMessageBox box(QMessageBox::Question, windowTitle(),
                    tr("Replace %1?").arg(displayFileName(fromFsPath(target.filename()))),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

// Saving under another name than the one typed ("x.txt" as "x.Clc") is
// asked first; a name typed without an extension simply gets ".Clc".
bool FileDialog::mayRename(const QString& typed, const QString& name)
{
    if (!saving_ || typed == name || typed + QLatin1String(Extension) == name)
        return true;
    QMessageBox box(QMessageBox::Question, windowTitle(),
                    tr("Calculation files end in %1. Save \"%2\" as \"%3\"?")
                        .arg(QLatin1String(Extension), displayFileName(typed), displayFileName(name)),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::Yes);
    if (box.exec() != QMessageBox::Yes)
        return false;
    nameBox_->setText(name);
    return true;
}

void FileDialog::reject()
{
    cancelChoice();
}

void FileDialog::closeEvent(QCloseEvent* event)
{
    filePath_.clear();
    discarded_ = true;
    setResult(QDialog::Rejected);
    event->accept();
}

} // namespace qm::ui
