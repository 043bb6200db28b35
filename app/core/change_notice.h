// Change notices for the program state that windows show and no grid carries (captions, the
// drawing lists, the layer and part lists, "Process", the run's state): the logic that changes
// such a value says so here, and the windows listening re-read what they show.
#pragma once

#include <functional>
#include <map>

namespace tv::core {

enum class Change {
  ViewerCaption,    // Program::ViewerCaption
  LayerList,        // Program::LayerList
  PartSpec,         // Program::PartSpec (its lines or its BringToFront request)
  SourceFolder,     // Input.SourceFolderText and Input.SourceFolderTip
  SourceList,       // Input.SourceList: folder, items, selection or visibility
  NestList,         // Input.NestList
  ProcEnabled,      // Input.ProcEnabled
  FrameSetCaption,  // Program::FrameSetCaption
  NestFiles,        // Program::NestFiles
  RunState,         // Program::RunInProgress (set and cleared by RunLock)
  ViewerFocus,      // a request, no value: the viewer window takes the focus (after a run's alerts)
  Drawing,          // Program::DXF1 shown anew: its content, view window or view options
};

class ChangeNotifier {
 public:
  using Listener = std::function<void(Change)>;

  // Keeps a listener subscribed for as long as it lives.
  class Subscription {
   public:
    Subscription() = default;
    Subscription(ChangeNotifier* notifier, int id) : notifier_(notifier), id_(id) {}
    Subscription(Subscription&& other) noexcept { *this = std::move(other); }
    Subscription& operator=(Subscription&& other) noexcept;
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { Reset(); }
    void Reset();

   private:
    ChangeNotifier* notifier_ = nullptr;
    int id_ = 0;
  };

  ChangeNotifier() = default;
  ChangeNotifier(const ChangeNotifier&) = delete;
  ChangeNotifier& operator=(const ChangeNotifier&) = delete;

  // The listener hears every notice from now on, in subscription order.
  [[nodiscard]] Subscription Subscribe(Listener listener);
  // Tells every listener. A listener may subscribe or unsubscribe others (or itself) meanwhile:
  // one unsubscribed during the call is not called any more; one subscribed during it hears
  // the next notice.
  void Notify(Change change);

 private:
  void Unsubscribe(int id) { listeners_.erase(id); }

  std::map<int, Listener> listeners_;
  int nextId_ = 1;
};

}  // namespace tv::core
