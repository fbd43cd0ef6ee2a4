// The two picture buttons: hand the list and the fields to a batch, then apply
// its outcome to the window.
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>

#include "app/form1.h"

namespace zv::app {

BatchInput TForm1::batchInput() const {
    BatchInput input;
    for (const QString& path : items()) {
        input.items.push_back(QFile::encodeName(path).toStdString());
    }
    input.password = EditPass->text().toStdString();
    input.password2 = EditPass2->text().toStdString();
    input.lastPickName = LastPickName.toStdString();
    return input;
}

void TForm1::applyOutcome(const BatchOutcome& outcome, bool untickCheckDir) {
    NoticeShown = std::find(outcome.results.begin(), outcome.results.end(), ItemResult::Refused) !=
                  outcome.results.end();
    if (outcome.reset) {
        EditPass->clear();
        EditPass2->clear();
        ListBoxFile->clear();
        if (untickCheckDir) {
            CheckDir->setChecked(false);
        }
    }
    switch (outcome.focus) {
        case BatchFocus::EditPass:
            EditPass->setFocus();
            break;
        case BatchFocus::EditPass2:
            EditPass2->setFocus();
            break;
        case BatchFocus::None:
            break;
    }
}

void TForm1::ImagADDClick() {
    runExclusive([&] { applyOutcome(zv::ImagADDClick(*ui_, batchInput()), true); });
}

void TForm1::ImageUbbClick() {
    runExclusive([&] { applyOutcome(zv::ImageUbbClick(*ui_, batchInput()), false); });
}

}  // namespace zv::app
