#include "ui/HoverState.h"

HoverAction HoverState::OnMouseMove(bool overHandArea) {
  HoverAction action;
  if (!hover) {
    hover = true;
    action.repaint = true;
    action.trackLeave = true;
  }
  cursor = overHandArea ? HoverCursor::Hand : HoverCursor::Parent;
  action.cursor = cursor;
  return action;
}

HoverAction HoverState::OnMouseLeave() {
  HoverAction action;
  hover = false;
  action.repaint = true;
  return action;
}

HoverAction HoverState::OnLeftDown() {
  HoverAction action;
  if (!tracksPress) return action;
  pressed = true;
  action.repaint = true;
  return action;
}

HoverAction HoverState::OnLeftUp() {
  HoverAction action;
  if (!tracksPress) return action;
  pressed = false;
  hover = false;
  action.repaint = true;
  return action;
}
