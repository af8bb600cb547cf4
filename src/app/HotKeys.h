#pragma once
// Port: global hot keys of the main window.
namespace xs {

class HotKeys {
 public:
  virtual ~HotKeys() = default;
  // Registers a system-wide hot key without modifiers; returns its id (nonzero), or 0 when the
  // key is taken. Registrations last for the life of the process.
  virtual int Register(int virtualKey) = 0;
};

}  // namespace xs
