#pragma once

namespace qv {

// "An action is running": a modem conversation, a keep-alive cycle, a connectivity check or a
// save, which lets window messages run between its steps. A message handled meanwhile asks
// Running() and must not start the same action again.
class ActionRunning {
  public:
    bool Running() const { return running_; }

    // Holds the action up for as long as it runs, also when it leaves by an exception.
    class Hold {
      public:
        explicit Hold(ActionRunning& action) : action_(action) { action_.running_ = true; }
        ~Hold() { action_.running_ = false; }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

      private:
        ActionRunning& action_;
    };

  private:
    bool running_ = false;
};

}  // namespace qv
