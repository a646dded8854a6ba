// What assistive tools (screen readers, AT-SPI) see of the program's own
// controls: ucSlider as a slider with its value, minimum and maximum that takes
// a new value as a drag would; ButtonEx and LumenButton as push buttons (check
// boxes where a ButtonEx toggles) named by their shown caption, with a press
// action that clicks them; Container3D as a grouping. An accessible name set on
// the widget wins over the caption.
#pragma once

class QWidget;

namespace ControlsAccessible {

// Registers the interfaces with Qt's accessibility once; each control calls it
// when it is created.
void install();

// Tells assistive tools that a toggling button went in or out (its checked
// state), or that a control's name changed with its caption.
void announceChecked(QWidget* button);
void announceName(QWidget* control);

} // namespace ControlsAccessible
