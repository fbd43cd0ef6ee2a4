#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

namespace zv::test {

// Answers the real message boxes the window opens, from a script, and records
// what the user would have seen. Questions beyond the script are answered No
// and counted in `unscripted`.
class ModalScript : public QObject {
    Q_OBJECT
  public:
    struct Seen {
        QString text;
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        Qt::TextFormat format = Qt::AutoText;
        QStringList buttons;
    };

    explicit ModalScript(std::deque<QMessageBox::StandardButton> answers = {});

    std::vector<Seen> seen;
    int unscripted = 0;
    // Runs while each box is open, before it is answered.
    std::function<void()> whileOpen;

  private:
    void poll();

    std::deque<QMessageBox::StandardButton> answers_;
    QTimer timer_;
};

}  // namespace zv::test
