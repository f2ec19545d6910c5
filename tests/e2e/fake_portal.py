# A RemoteDesktop portal for the scenarios (a python3-dbusmock template). Parameters: mode
# (grant, refuse, silent: how Start answers), version (1 or 2), log (a file that gets one word a
# call) and leds (a tree laid out as /sys/class/leds: a granted lock-key press toggles its LED).
# Version 2 restores without a dialog only with the token it gave last, and gives a new one.
import os
import dbus
from gi.repository import GLib

BUS_NAME = 'org.freedesktop.portal.Desktop'
MAIN_OBJ = '/org/freedesktop/portal/desktop'
MAIN_IFACE = 'org.freedesktop.portal.RemoteDesktop'
SYSTEM_BUS = False
LEDS = {58: 'input3::capslock', 69: 'input3::numlock', 70: 'input3::scrolllock'}


def load(mock, parameters):
    mock.p, mock.given, mock.tokens = parameters, None, 0
    mock.AddProperties(MAIN_IFACE, dbus.Dictionary({'version': dbus.UInt32(parameters['version']),
                                                    'AvailableDeviceTypes': dbus.UInt32(7)}, signature='sv'))
    mock.AddMethod('org.freedesktop.host.portal.Registry', 'Register', 'sa{sv}', '', f'open("{parameters["log"]}", "a").write("Register\\n")')


def say(self, word): open(self.p['log'], 'a', encoding='utf-8').write(word + '\n')


def answer(self, sender, options, code, results):
    path = f"{MAIN_OBJ}/request/{sender[1:].replace('.', '_')}/{options['handle_token']}"
    GLib.timeout_add(50, lambda: self.EmitSignalDetailed('org.freedesktop.portal.Request', 'Response', 'ua{sv}', [
        dbus.UInt32(code), dbus.Dictionary(results, signature='sv')], {'path': path}))
    return dbus.ObjectPath(path)


@dbus.service.method(MAIN_IFACE, in_signature='a{sv}', out_signature='o', sender_keyword='sender')
def CreateSession(self, options, sender):
    say(self, 'CreateSession')
    session = f"{MAIN_OBJ}/session/{sender[1:].replace('.', '_')}/{options['session_handle_token']}"
    self.AddObject(session, 'org.freedesktop.portal.Session', {}, [('Close', '', '', f'open("{self.p["log"]}", "a").write("Close\\n")')])
    return answer(self, sender, options, 0, {'session_handle': session})


@dbus.service.method(MAIN_IFACE, in_signature='oa{sv}', out_signature='o', sender_keyword='sender')
def SelectDevices(self, session, options, sender):
    self.restoring = self.given is not None and options.get('restore_token') == self.given
    say(self, f"SelectDevices:types={options['types']}" + (':persist' if 'persist_mode' in options else '') +
             (':restore' if self.restoring else ''))
    return answer(self, sender, options, 0, {})


@dbus.service.method(MAIN_IFACE, in_signature='osa{sv}', out_signature='o', sender_keyword='sender')
def Start(self, session, parent, options, sender):
    say(self, 'Start' if self.restoring else 'Start:dialog')
    mode, results = 'grant' if self.restoring else self.p['mode'], {'devices': dbus.UInt32(1)}
    if self.p['version'] >= 2 and mode == 'grant':
        self.tokens += 1
        self.given = results['restore_token'] = f'token-{self.tokens}'
    return dbus.ObjectPath('/') if mode == 'silent' else answer(self, sender, options, mode != 'grant', results)


@dbus.service.method(MAIN_IFACE, in_signature='oa{sv}iu', out_signature='')
def NotifyKeyboardKeycode(self, session, options, keycode, state):
    say(self, f'Key:{keycode}:{state}')
    led = os.path.join(self.p['leds'], LEDS.get(keycode, 'none'), 'brightness')
    if state == 1 and os.path.exists(led):
        lit = open(led, encoding='ascii').read().strip() != '0'
        open(led, 'w', encoding='ascii').write('0\n' if lit else '1\n')
