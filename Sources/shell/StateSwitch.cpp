#include "Sources/shell/StateSwitch.h"

#include "source/log/cLog.h"

void RunStateSwitch(StateSwitch fields, cGameState* state, const std::function<void(cGameState*)>& step) {
  if (fields.switching) {
    fields.has_pending = true;
    fields.pending = state;
    return;
  }
  fields.switching = true;
  for (int done = 0;; ++done) {
    if (done == kMaxChainedSwitches) {
      fields.has_pending = false;
      LogReport(kLogError, "Sources\\shell\\StateSwitch", __LINE__,
                "game states kept switching to each other; stopped after %d switches", done);
      break;
    }
    step(state);
    if (!fields.has_pending) break;
    fields.has_pending = false;
    state = fields.pending;
  }
  fields.switching = false;
}
