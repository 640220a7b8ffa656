#pragma once
// The modal file dialog for calculation files: the drive browser, a name box
// and the accept and cancel buttons. It is hidden, not closed, when the user
// accepts or cancels, so the name box keeps its text for the next use; the
// caller reads filePath() after exec().

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;

namespace qm::ui {

class DriveControl;
class SuperButton;

class FileDialog : public QDialog {
    Q_OBJECT

public:
    // The extension every chosen name gets, case as written.
    static constexpr const char* Extension = ".Clc";
    // Characters the name box refuses: a name never leaves the folder shown.
    static constexpr const char* RefusedCharacters = "|*\"/:<>?\\";

    explicit FileDialog(QWidget* parent = nullptr);

    // The chosen file name (with ".Clc"), empty when the user cancelled or
    // closed the window.
    QString filePath() const { return filePath_; }
    // Caption of the accept button: "Open" or "Save".
    void setAcceptCaption(const QString& caption);
    // Saving: accepting the name of an existing file asks before replacing
    // it, unless it is `tapeFile`, the file the tape came from.
    void setSaving(bool saving, const QString& tapeFile = QString());
    // Closed with the window's close box: the owner discards the dialog.
    bool isDiscarded() const { return discarded_; }

    DriveControl* driveList() const { return driveList_; }
    QLineEdit* nameBox() const { return nameBox_; }
    QLabel* folderLabel() const { return folderLabel_; }
    // Says why a name was not taken (a refused character, a missing file).
    QLabel* hintLabel() const { return hintLabel_; }
    SuperButton* acceptButton() const { return acceptButton_; }
    SuperButton* cancelButton() const { return cancelButton_; }

    // Pixels for a length in twips at this dialog's logical resolution.
    int twips(int length, Qt::Orientation direction) const;

public slots:
    void reject() override;   // Escape: as Cancel

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void prepareForUse();
    void rememberTypedName(const QString& text);
    bool moveToListKey(int key);
    bool nameBoxKey(const QString& text, int key);
    void takeTappedFile();
    void acceptDoubleTappedFile();
    void acceptTypedName();
    void cancelChoice();
    QString withExtension(const QString& name) const;
    void showFolder();
    bool mayReplace(const QString& name);
    bool mayRename(const QString& typed, const QString& name);
    void showHint(const QString& text);

    DriveControl* driveList_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLabel* folderLabel_ = nullptr;   // the folder shown, above the list
    QLabel* hintLabel_ = nullptr;     // beside the buttons
    QLineEdit* nameBox_ = nullptr;
    SuperButton* acceptButton_ = nullptr;
    SuperButton* cancelButton_ = nullptr;
    QString filePath_;
    QString tapeFile_;
    bool saving_ = false;
    bool discarded_ = false;
};

} // namespace qm::ui
