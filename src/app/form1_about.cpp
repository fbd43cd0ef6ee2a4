// The About panel over the working area, and the contact link.
#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>

#include "app/about_texts.h"
#include "app/form1.h"
#include "app/form_texts.h"
#include "app/gradient_panel.h"
#include "app/link_label.h"
#include "app/picture_box.h"

namespace zv::app {

bool TForm1::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !activated_) {
        // Once only: coming back from another program or from a dialog leaves
        // the panel as the user set it.
        activated_ = true;
        FormActivate();
    }
    return QWidget::event(event);
}

void TForm1::FormActivate() {
    cxImage2->setEnabled(false);
    cxImage2->hide();
    for (QWidget* part : QList<QWidget*>{cxImage1, Lab1, Lab2, Lab3, Lab4}) {
        part->hide();
    }
}

QList<QWidget*> TForm1::workingControls() const {
    // The folder button is not among them: it stays usable while the panel is shown.
    return {ListBoxFile, RzPanel2,  RzPanel1, EditPass, EditPass2,
            CheckDir,    CheckBox1, ImagADD,  ImageUbb};
}

void TForm1::setAboutShown(bool shown) {
    cxImage2->setEnabled(shown);
    cxImage2->setVisible(shown);
    for (QWidget* part : QList<QWidget*>{cxImage1, Lab1, Lab2, Lab3, Lab4, cxLabelQQ, cxQQ1}) {
        part->setVisible(shown);
    }
    for (QWidget* control : workingControls()) {
        control->setEnabled(!shown);
    }
}

void TForm1::cxLabel7Click() {
    // The panel counts as shown exactly when its close mark is.
    setAboutShown(cxImage2->isHidden());
}

void TForm1::cxImage2Click() {
    setAboutShown(false);
    cxImage2->setEnabled(true);
}

void TForm1::cxLabelQQMouseEnter() {
    cxQQ1->hide();
    cxQQ2->show();
}

void TForm1::cxLabelQQMouseLeave() {
    cxQQ2->hide();
    // A leave that comes from closing the panel must not bring the icon back.
    if (!cxLabelQQ->isHidden()) {
        cxQQ1->show();
    }
}

void TForm1::cxLabelQQClick() {
    if (!shell_.openLink(QString::fromUtf8(about::kContactUrl))) {
        ui_->messageBox(texts::kContactFailed, kTitleNotice, Buttons::Ok);
    }
}

}  // namespace zv::app
