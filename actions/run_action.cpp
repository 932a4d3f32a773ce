#include "actions/run_action.h"

#include <new>

namespace tasa {

ActionOutcome RunAction(Action action, Form& form, ErrorReport& report) {
  try {
    action(form);
    return {true, std::nullopt};
  } catch (const NotANumberIn& error) {
    report.Show(error);
    return {false, error.box()};
  } catch (const RunTimeError& error) {
    report.Show(error);
  } catch (const std::bad_alloc&) {
    report.Show(RunTimeError(ErrorKind::OutOfMemory));
  } catch (...) {
    // Nothing else should escape an action; if something does, it must not
    // escape into the toolkit's event loop either.
    report.Show(RunTimeError(ErrorKind::Internal));
  }
  return {};
}

}  // namespace tasa
