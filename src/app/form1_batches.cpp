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

// The encryption and decryption batches are not built yet; until they are, the
// pictures do nothing.
void TForm1::ImagADDClick() {}

void TForm1::ImageUbbClick() {}

}  // namespace zv::app
