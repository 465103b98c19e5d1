// A message that an input check or a file routine wants shown. The engines never show
// anything themselves: they hand this back, and the input screen shows it (ShowInputMessage),
// beeps first when asked, and sends the cell editor to the named cell.
#pragma once

#include <string>

#include "platform/user_services.h"

namespace quon {

struct InputMessage {
  std::string text;
  std::string title;
  int style = msg::OKOnly | msg::Critical; // buttons and icon, as MsgBox takes them
  bool beep = false;
  // The input-grid cell the editor returns to afterwards; -1 when it stays where it is.
  int row = -1;
  int col = -1;
  // The grid's selection goes back to the single cell (1, 1) afterwards.
  bool resetSelection = false;

  bool HasCell() const { return row >= 0 && col >= 0; }
};

// A critical message with OK, the form of every input-data error.
inline InputMessage CriticalMessage(std::string text, std::string title, int row = -1, int col = -1) {
  InputMessage m;
  m.text = std::move(text);
  m.title = std::move(title);
  m.row = row;
  m.col = col;
  return m;
}

// Beeps when asked and shows the message; returns the button pressed.
inline int ShowInputMessage(const InputMessage &m) {
  if (m.beep) Beep();
  return MsgBox(m.text, m.style, m.title);
}

} // namespace quon
