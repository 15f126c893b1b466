#include "state/setup_state.h"

SetupState& TheSetupState() {
  static SetupState state;
  return state;
}
