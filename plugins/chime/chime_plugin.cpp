#include "plugins/chime/chime_plugin.h"

#include <algorithm>

#include "plugins/chime/chime_dialog.h"
#include "plugins/chime/chime_settings.h"
#include "plugins/chime/sound_player.h"

ChimePlugin::ChimePlugin(HMODULE module, SoundPlayer& player) : module_(module), player_(player) {
  schedule_.Replace(LoadChimeSettings());
}

void ChimePlugin::Close() {
  windows_.clear();
  player_.Stop();
}

void ChimePlugin::OnSecond(const SYSTEMTIME& now) {
  const Due due = schedule_.Advance(
      ToLocalSeconds(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond));
  for (const Ringing& alarm : due.alarms) Ring(alarm);
  if (due.chime && RingingWindow() == nullptr) player_.Play(schedule_.settings().chimeSound, false);
}

// The dialog starts from the settings as they are in force, and those are also
// what the registry is compared with: values that could not be read stay as
// they are until the user changes that setting.
void ChimePlugin::OpenConfig(HWND owner) {
  ChimeDialog dialog(schedule_, player_);
  if (!dialog.Show(module_, owner)) return;
  SaveChangedSettings(schedule_.settings(), dialog.settings());
  schedule_.Replace(dialog.settings());
}

void ChimePlugin::Ring(const Ringing& ringing) {
  auto window = std::make_unique<AlarmWindow>(
      ringing, [this](AlarmWindow& closed, bool snooze) { CloseAlarm(closed, snooze); });
  if (!window->Show(module_, static_cast<int>(windows_.size()))) return;
  windows_.push_back(std::move(window));
  if (!ringing.missed) player_.Play(ringing.alarm.sound, true);
}

void ChimePlugin::CloseAlarm(AlarmWindow& window, bool snooze) {
  if (snooze) schedule_.Snooze(window.ringing());
  const auto found = std::find_if(windows_.begin(), windows_.end(),
                                  [&window](const auto& open) { return open.get() == &window; });
  const bool wasRinging = !window.ringing().missed;
  if (found != windows_.end()) windows_.erase(found);
  if (wasRinging) PlayRinging();
}

void ChimePlugin::PlayRinging() {
  if (const AlarmWindow* window = RingingWindow()) {
    player_.Play(window->ringing().alarm.sound, true);
  } else {
    player_.Stop();
  }
}

const AlarmWindow* ChimePlugin::RingingWindow() const {
  for (auto window = windows_.rbegin(); window != windows_.rend(); ++window) {
    if (!(*window)->ringing().missed) return window->get();
  }
  return nullptr;
}
