#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>

#include "app/input_blocker.h"
#include "app/qt_ui_port.h"
#include "app/shell_port.h"
#include "batch/batch.h"
#include "platform/action_context.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStyle;

namespace zv::app {

class GradientPanel;
class LinkLabel;
class PictureBox;

// The program's one window, Form1: the item list, the password fields, the two
// picture buttons, the About panel, and the per-item actions the batches run.
class TForm1 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm1(ShellPort& shell, QWidget* parent = nullptr);
    ~TForm1() override;

    // The controls, back to front.
    PictureBox* Image1 = nullptr;
    PictureBox* ImageUbb = nullptr;
    PictureBox* ImagADD = nullptr;
    QLineEdit* EditPass2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckDir = nullptr;
    QLineEdit* EditPass = nullptr;
    QListWidget* ListBoxFile = nullptr;
    QLabel* cxLabel1 = nullptr;
    QLabel* cxLabel2 = nullptr;
    QLabel* cxLabel3 = nullptr;
    QLabel* cxLabel6 = nullptr;
    QLabel* Panel1 = nullptr;
    PictureBox* cxImage1 = nullptr;
    LinkLabel* cxLabel7 = nullptr;
    QLabel* Lab1 = nullptr;
    QLabel* Lab2 = nullptr;
    QLabel* Lab3 = nullptr;
    QLabel* Lab4 = nullptr;
    PictureBox* cxImage2 = nullptr;
    GradientPanel* RzPanel2 = nullptr;
    GradientPanel* RzPanel1 = nullptr;
    PictureBox* cxQQ1 = nullptr;
    PictureBox* cxQQ2 = nullptr;
    LinkLabel* cxLabelQQ = nullptr;
    GradientPanel* RzPanel3 = nullptr;

    // The hidden per-item actions.
    QPushButton* Memory_add = nullptr;
    QPushButton* File_add = nullptr;
    QPushButton* Memory_sub = nullptr;
    QPushButton* File_sub = nullptr;
    QPushButton* But_bankAdd = nullptr;

    // Shared with the batches and the actions.
    QString CurrentItemPath;
    bool NoticeShown = false;
    QString LastPickName;

    // Messages and the busy panel, as the actions see them.
    UiPort& ui() { return *ui_; }

    // Paths from a drop or from the command line, appended in the order given.
    void appendItems(const QStringList& paths);
    QStringList items() const;

    // True while a batch or an action is running.
    bool busy() const { return busy_; }

  public slots:
    void FormActivate();
    void WMDropFiles(const QList<QUrl>& urls);
    void RzPanel2Click();
    void RzPanel3Click();
    void RzPanel1Click();
    void ImagADDClick();
    void ImageUbbClick();
    void cxLabel7Click();
    void cxImage2Click();
    void cxLabelQQClick();
    void cxLabelQQMouseEnter();
    void cxLabelQQMouseLeave();

    void Memory_addClick();
    void File_addClick();
    void Memory_subClick();
    void File_subClick();
    void But_bankAddClick();

  protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void createControls();
    void connectHandlers();
    QList<QWidget*> workingControls() const;
    void setAboutShown(bool shown);

    // Runs one batch or action: input blocked, the busy panel gone at its end,
    // and a close asked for meanwhile carried out only afterwards.
    void runExclusive(const std::function<void()>& work);
    void runAction(ItemResult (*action)(ActionContext&));
    BatchInput batchInput() const;
    void applyOutcome(const BatchOutcome& outcome, bool untickCheckDir);

    ShellPort& shell_;
    std::unique_ptr<QStyle> asteriskStyle_;
    std::unique_ptr<QtUiPort> ui_;
    InputBlocker inputBlocker_;
    bool activated_ = false;
    bool busy_ = false;
    bool closePending_ = false;
};

}  // namespace zv::app
