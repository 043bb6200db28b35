// Answers the modal boxes and dialogs a GUI test expects, in order, by pressing the named button
// or driving the dialog's controls, and records every modal window it did not expect (which it
// then closes, so the test goes on and fails).
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

namespace tv::gui {

class ModalAnswerer : public QObject {
 public:
  ModalAnswerer() {
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, &ModalAnswerer::Look);
    timer_.start();
  }
  ~ModalAnswerer() override { timer_.stop(); }

  // The next message box must contain fragment; it is answered with button. The box's text,
  // title and icon are kept for the test (Answered()).
  ModalAnswerer& ExpectBox(const QString& fragment, QMessageBox::StandardButton button) {
    expected_.push_back({QStringLiteral("message box containing \"") + fragment + QStringLiteral("\""),
                         [fragment, button, this](QWidget* modal) {
                           auto* box = qobject_cast<QMessageBox*>(modal);
                           if (box == nullptr || !box->text().contains(fragment)) return false;
                           answered_.push_back(box->windowTitle() + QStringLiteral("|") + box->text());
                           icons_.push_back(box->icon());
                           box->button(button)->click();
                           return true;
                         }});
    return *this;
  }
  // The next modal window is a dialog named objectName; drive runs on it (and must close it,
  // now or later). drive may answer false to be asked again on the next look (to wait).
  ModalAnswerer& ExpectDialog(const QString& objectName, std::function<bool(QDialog*)> drive) {
    expected_.push_back({QStringLiteral("dialog ") + objectName, [objectName, drive](QWidget* modal) {
                           auto* dialog = qobject_cast<QDialog*>(modal);
                           if (dialog == nullptr || dialog->objectName() != objectName) return false;
                           return drive(dialog);
                         }});
    return *this;
  }

  // Expectations not met yet.
  int Pending() const { return static_cast<int>(expected_.size()); }
  // Modal windows that came unexpected ("title|text").
  const QStringList& Unexpected() const { return unexpected_; }
  // Boxes answered, as "title|text", and their icons.
  const QStringList& Answered() const { return answered_; }
  const std::vector<QMessageBox::Icon>& Icons() const { return icons_; }

 private:
  struct Expected {
    QString what;
    std::function<bool(QWidget*)> handle;
  };

  void Look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() || modal == busy_) return;
    if (!expected_.empty()) {
      busy_ = modal;
      const bool handled = expected_.front().handle(modal);
      busy_ = nullptr;
      if (handled) {
        expected_.pop_front();
        return;
      }
      // The right kind of window but not ready: look again later; any other window is unexpected.
      if (IsExpectedKind(modal)) return;
    }
    auto* box = qobject_cast<QMessageBox*>(modal);
    unexpected_ << modal->windowTitle() + QStringLiteral("|") + (box ? box->text() : modal->objectName());
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    } else {
      modal->close();
    }
  }
  bool IsExpectedKind(QWidget* modal) const {
    const QString what = expected_.front().what;
    if (what.startsWith(QStringLiteral("dialog "))) return modal->objectName() == what.mid(7);
    return false;
  }

  QTimer timer_;
  std::deque<Expected> expected_;
  QStringList unexpected_;
  QStringList answered_;
  std::vector<QMessageBox::Icon> icons_;
  QPointer<QWidget> busy_;
};

}  // namespace tv::gui
