#pragma once
// The modal file dialog for calculation files: the drive browser, a name box
// and the accept and cancel buttons. It is hidden, not closed, when the user
// accepts or cancels, so the name box keeps its text for the next use; the
// caller reads FilePath() after exec().

#include <QDialog>
#include <QString>

#include <array>

class QLabel;
class QLineEdit;

namespace qm::ui {

class DriveControl;
class SuperButton;

class LoadSave : public QDialog {
    Q_OBJECT

public:
    // The extension every chosen name gets, case as written.
    static constexpr const char* Extension = ".Clc";
    // Characters the name box refuses: a name never leaves the folder shown.
    static constexpr const char* RefusedCharacters = "|*\"/:<>?\\";

    explicit LoadSave(QWidget* parent = nullptr);

    // The chosen file name (with ".Clc"), empty when the user cancelled or
    // closed the window.
    QString FilePath() const { return filePath_; }
    // Caption of the accept button Command1(1): "Open" or "Save".
    void setAcceptCaption(const QString& caption);
    // Saving: accepting the name of an existing file asks before replacing
    // it, unless it is `tapeFile`, the file the tape came from.
    void setSaving(bool saving, const QString& tapeFile = QString());
    // Closed with the window's close box: the owner discards the dialog.
    bool isDiscarded() const { return discarded_; }

    DriveControl* driveList() const { return DriveList; }
    QLineEdit* nameBox() const { return txtSearchSpec; }
    QLabel* folderLabel() const { return folderLabel_; }
    // Says why a name was not taken (a refused character, a missing file).
    QLabel* hintLabel() const { return hintLabel_; }
    SuperButton* acceptButton() const { return Command1[1]; }
    SuperButton* cancelButton() const { return Command1[2]; }

    // Pixels for a length in twips at this dialog's logical resolution.
    int twips(int length, Qt::Orientation direction) const;

public slots:
    void reject() override;   // Escape: as Cancel

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Activate();
    void txtSearchSpec_Change(const QString& text);
    bool txtSearchSpec_KeyDown(int key);
    bool txtSearchSpec_KeyPress(const QString& text, int key);
    void DriveList_MouseUp();
    void DriveList_DblClick();
    void Command1_Click(int Index);
    QString withExtension(const QString& name) const;
    void showFolder();
    bool mayReplace(const QString& name);
    bool mayRename(const QString& typed, const QString& name);
    void showHint(const QString& text);

    DriveControl* DriveList = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* folderLabel_ = nullptr;   // the folder shown, above the list
    QLabel* hintLabel_ = nullptr;     // beside the buttons
    QLineEdit* txtSearchSpec = nullptr;
    std::array<SuperButton*, 3> Command1{};   // 1 accept, 2 cancel
    QString filePath_;
    QString tapeFile_;
    bool saving_ = false;
    bool discarded_ = false;
};

} // namespace qm::ui
