#pragma once

// The groups of port settings that are applied to an open port together.
enum class TComSettingsGroup { Line, Timeouts, Buffer };

// What a settings object tells its port when one of its values changes.
class TComSettingsOwner {
public:
  virtual void Reapply(TComSettingsGroup group) = 0;

protected:
  ~TComSettingsOwner() = default;
};

// Stores value in field and tells the owner, unless nothing changes.
template <typename T>
void ChangeSetting(T& field, const T& value, TComSettingsOwner* owner, TComSettingsGroup group) {
  if (field == value) return;
  field = value;
  if (owner) owner->Reapply(group);
}
