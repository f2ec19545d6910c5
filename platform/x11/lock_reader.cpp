#include "platform/x11/lock_reader.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

#include <cstdio>

#include "platform/sigio/sigio.h"

namespace vesk::platform::x11 {
namespace {

struct KeyNames {
  const char* indicator;
  KeySym keysym;
};

constexpr std::array<KeyNames, 3> kNames{{
    {"Num Lock", XK_Num_Lock},
    {"Caps Lock", XK_Caps_Lock},
    {"Scroll Lock", XK_Scroll_Lock},
}};

std::size_t slot(LockKey key) {
  return static_cast<std::size_t>(key);
}

}  // namespace

LockReader::LockReader(Display* display) : display_(display) {
  // Whatever comes on the connection from now on raises SIGIO, so that a read while nothing
  // has come costs no system call.
  signalled_ = sigio::signalWhenReadable(ConnectionNumber(display_));
  int opcode = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
  XkbQueryExtension(display_, &opcode, &xkbEventBase_, &error, &major, &minor);
  // Select the events before the first look-up, so that no change falls between the two.
  XkbSelectEventDetails(display_, XkbUseCoreKbd, XkbIndicatorStateNotify, XkbAllIndicatorsMask,
                        XkbAllIndicatorsMask);
  XkbSelectEventDetails(display_, XkbUseCoreKbd, XkbNamesNotify, XkbIndicatorNamesMask,
                        XkbIndicatorNamesMask);
  XkbSelectEventDetails(display_, XkbUseCoreKbd, XkbMapNotify, XkbKeySymsMask, XkbKeySymsMask);
  XkbSelectEventDetails(display_, XkbUseCoreKbd, XkbNewKeyboardNotify, XkbNKN_KeycodesMask,
                        XkbNKN_KeycodesMask);
  int event = 0;
  int xiMajor = 2, xiMinor = 0;
  if (XQueryExtension(display_, "XInputExtension", &opcode, &event, &error) &&
      XIQueryVersion(display_, &xiMajor, &xiMinor) == Success) {
    // Raw events come whichever window has the focus, and cost us nothing until read.
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
    XISelectEvents(display_, DefaultRootWindow(display_), &mask, 1);
    xiOpcode_ = opcode;
  }
  for (std::size_t i = 0; i < kNames.size(); ++i)
    keys_[i].indicatorName = XInternAtom(display_, kNames[i].indicator, False);
  lookUp();
  queryHeld();  // a key already down when we start
}

void LockReader::lookUp() {
  stale_ = false;
  int minKeycode = 0, maxKeycode = 0, perKeycode = 0;
  XDisplayKeycodes(display_, &minKeycode, &maxKeycode);
  KeySym* syms = XGetKeyboardMapping(display_, static_cast<KeyCode>(minKeycode),
                                     maxKeycode - minKeycode + 1, &perKeycode);
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    KeyInfo& info = keys_[i];
    info.keycodes.clear();
    info.pressKeycode = 0;
    for (int kc = minKeycode; syms && kc <= maxKeycode; ++kc) {
      for (int level = 0; level < perKeycode; ++level) {
        if (syms[(kc - minKeycode) * perKeycode + level] != kNames[i].keysym) continue;
        info.keycodes.push_back(static_cast<KeyCode>(kc));
        // A press sends the keysym only where it needs no other modifier.
        if (level == 0 && info.pressKeycode == 0) info.pressKeycode = static_cast<KeyCode>(kc);
        break;
      }
    }
    if (info.pressKeycode == 0 && !info.keycodes.empty()) info.pressKeycode = info.keycodes[0];
    int index = -1;
    Bool on = False;
    if (XkbGetNamedIndicator(display_, info.indicatorName, &index, &on, nullptr, nullptr) &&
        index >= 0 && index < XkbNumIndicators) {
      info.indicatorIndex = index;
    } else {
      // The light then shows only while the key is held down.
      info.indicatorIndex = -1;
      if (!info.toldMissing)
        std::fprintf(stderr, "vesk-lights: the keymap has no \"%s\" indicator\n",
                     kNames[i].indicator);
      info.toldMissing = true;
    }
  }
  if (syms) XFree(syms);
  unsigned int state = 0;
  XkbGetIndicatorState(display_, XkbUseCoreKbd, &state);
  indicatorState_ = state;
}

void LockReader::drainEvents(int mode) {
  // Never asks the server for anything.
  while (XEventsQueued(display_, mode) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == GenericEvent && event.xcookie.extension == xiOpcode_) {
      handleRawKey(event);
      continue;
    }
    if (event.type == MappingNotify) {
      XRefreshKeyboardMapping(&event.xmapping);
      stale_ = true;
      continue;
    }
    if (event.type != xkbEventBase_) continue;
    const auto& xkb = reinterpret_cast<const XkbEvent&>(event);
    switch (xkb.any.xkb_type) {
      case XkbIndicatorStateNotify:
        indicatorState_ = xkb.indicators.state;
        break;
      case XkbNamesNotify:
      case XkbMapNotify:
      case XkbNewKeyboardNotify:
        stale_ = true;
        break;
      default:
        break;
    }
  }
  if (stale_) lookUp();
}

void LockReader::queryHeld() {
  char keymap[32] = {};
  XQueryKeymap(display_, keymap);
  for (std::size_t kc = 0; kc < down_.size(); ++kc) down_[kc] = keymap[kc / 8] & (1 << (kc % 8));
}

void LockReader::handleRawKey(XEvent& event) {
  if (!XGetEventData(display_, &event.xcookie)) return;
  const auto* raw = static_cast<const XIRawEvent*>(event.xcookie.data);
  if (raw->detail >= 0 && raw->detail < static_cast<int>(down_.size()))
    down_[raw->detail] = event.xcookie.evtype == XI_RawKeyPress;
  XFreeEventData(display_, &event.xcookie);
}

bool LockReader::held(const KeyInfo& info) const {
  for (KeyCode kc : info.keycodes)
    if (down_[kc]) return true;
  return false;
}

void LockReader::catchUp() {
  if (signalled_) {
    const unsigned now = sigio::count();
    if (now == seen_ && !first_) return;
    seen_ = now;
    first_ = false;
  }
  drainEvents(QueuedAfterReading);
}

std::uint16_t LockReader::keyState(LockKey key) {
  if (xiOpcode_ < 0) queryHeld();
  catchUp();
  const KeyInfo& info = keys_[slot(key)];
  std::uint16_t word = 0;
  if (info.indicatorIndex >= 0 && (indicatorState_ & (1u << info.indicatorIndex))) word |= 0x0001;
  if (held(info)) word |= 0x8000;
  return word;
}

bool LockReader::indicatorNow(LockKey key) {
  drainEvents(QueuedAfterReading);
  const KeyInfo& info = keys_[slot(key)];
  if (info.indicatorIndex < 0) return false;
  unsigned int state = 0;
  XkbGetIndicatorState(display_, XkbUseCoreKbd, &state);
  return state & (1u << info.indicatorIndex);
}

void LockReader::setIndicator(LockKey key, bool on) {
  XkbSetNamedIndicator(display_, keys_[slot(key)].indicatorName, True, on ? True : False, False,
                       nullptr);
  XSync(display_, False);
}

KeyCode LockReader::pressKeycode(LockKey key) {
  drainEvents(QueuedAfterReading);
  return keys_[slot(key)].pressKeycode;
}

}  // namespace vesk::platform::x11
