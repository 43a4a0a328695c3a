#pragma once
// The style of a serial page's open button: green while the port is closed
// (the button opens it), red while it is open (the button closes it).
// A disabled button of either colour is drawn grey with dimmed text, so a
// button that cannot be pressed never looks like one that can.

// The disabled look every green or red button style ends with.
#define VELM_DISABLED_BUTTON_RULE "QPushButton:disabled {   background-color: #C8C8C8;   color: #7A7A7A;}"

namespace OpenButtonStyle {

inline constexpr char kClosed[] = "QPushButton {   background-color: #4CAF50;   color: white;   font-weight: bold;}"
                                  "QPushButton:pressed {   background-color: #45A049;}" VELM_DISABLED_BUTTON_RULE;
inline constexpr char kOpen[] = "QPushButton {   background-color: #FF4A19;   color: white;   font-weight: bold;}"
                                "QPushButton:pressed {   background-color: #FF5722;}" VELM_DISABLED_BUTTON_RULE;
// The Bluetooth page's scan button while a peripheral is connected.
inline constexpr char kDisconnect[] = "QPushButton {   background-color: #FF5722;   color: white;   font-weight: bold;}"
                                      "QPushButton:pressed {   background-color: #E64A19;}" VELM_DISABLED_BUTTON_RULE;

} // namespace OpenButtonStyle
