#pragma once

#include <QObject>

class QWidget;

namespace zv::app {

// While an action runs, mouse and keyboard input meant for one window is
// dropped, including input that arrived during the action and is delivered
// only afterwards. Message boxes and dialogs the action opens stay usable.
class InputBlocker : public QObject {
    Q_OBJECT
  public:
    explicit InputBlocker(QWidget& window) : window_(window) {}

    void start();
    // Drops the input queued up while blocked, then lets input through again.
    void stop();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& window_;
    bool active_ = false;
};

}  // namespace zv::app
