'''udisks2 stand-in for the release tests: one USB player's partition and its drive.

Parameters: Block (the kernel's name of the block device, default sdb1), CanPowerOff (bool,
default true), UnmountError and PowerOffError (the message of an error answer, none by default).
'''
import dbus

from dbusmock import mockobject

BUS_NAME = 'org.freedesktop.UDisks2'
MAIN_OBJ = '/org/freedesktop/UDisks2'
MAIN_IFACE = 'org.freedesktop.UDisks2.Manager'
SYSTEM_BUS = True

DRIVE = '/org/freedesktop/UDisks2/drives/Velmora_ZJ_20_0001'


def answer(error, name):
    if not error:
        return ''
    return f'raise dbus.exceptions.DBusException({error!r}, name={name!r})'


def load(mock, parameters):
    block = '/org/freedesktop/UDisks2/block_devices/' + parameters.get('Block', 'sdb1')
    device = ('/dev/' + parameters.get('Block', 'sdb1')).encode() + b'\0'
    mock.AddObject(block, 'org.freedesktop.UDisks2.Block',
                   {'Drive': dbus.ObjectPath(DRIVE),
                    'Device': dbus.ByteArray(device)}, [])
    mockobject.objects[block].AddMethods('org.freedesktop.UDisks2.Filesystem', [
        ('Unmount', 'a{sv}', '',
         answer(parameters.get('UnmountError'), 'org.freedesktop.UDisks2.Error.DeviceBusy'))])
    mock.AddObject(DRIVE, 'org.freedesktop.UDisks2.Drive',
                   {'CanPowerOff': dbus.Boolean(parameters.get('CanPowerOff', True))},
                   [('PowerOff', 'a{sv}', '',
                     answer(parameters.get('PowerOffError'),
                            'org.freedesktop.UDisks2.Error.NotAuthorizedCanObtain'))])
    print('ready', flush=True)
