#!/usr/bin/env python3
"""Writes Murvex's administrative template, policy/Murvex.admx and
policy/en-US/Murvex.adml, from the table below: one policy for every setting a user
can change in the window, machine and user alike ("Both"), under
Software\\Policies\\Murvex\\<section>, each value named as in the settings file.
Run it after a change to the settings; its outputs are committed."""
import os
from xml.sax.saxutils import escape, quoteattr

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'policy')
KEY = 'Software\\Policies\\Murvex\\'

FLAG, NUMBER, CHOICE, TEXT, LINES, CUSTOM = 'flag', 'number', 'choice', 'text', 'lines', 'custom'

CAPTIONS = [
    ('Machine', 'System Name:', 'the computer name'),
    ('OS', 'OS Name:', 'the system as Windows names it, with its edition'),
    ('OSVers', 'OS Version:', "the system's version, build and service pack or update"),
    ('Locale', 'Locale:', "the system's language and country"),
    ('Browser', 'Browser:', 'the default browser'),
    ('BrowserVers', 'Browser Version:', "the default browser's version"),
    ('IPAddress', 'IP Address:', "the machine's network addresses"),
    ('User', 'User:', 'the signed-in user (a value of each user: the wallpaper then goes to the user\'s own folder)'),
    ('Domain', 'Domain:', 'the domain the machine is joined to, or its workgroup'),
    ('LogonServer', 'Logon Server:', 'the domain controller that signed the user in (a value of each user)'),
    ('BootTime', 'Boot Time:', 'the local time of the last start'),
    ('CPU', 'CPU:', "the processor's name and the number of logical processors"),
    ('Memory', 'Memory:', 'the total physical memory'),
    ('SystemType', 'System Type:', "the machine's architecture (x64, x86, ARM64)"),
    ('FreeSpace', 'Free Space:', 'the free space of the fixed drives'),
    ('MACAddress', 'MAC Address:', 'the physical addresses of the network adapters shown'),
    ('Gateway', 'Default Gateway:', 'the default gateways'),
    ('DNSServer', 'DNS Server:', 'the DNS servers'),
    ('Manufacturer', 'Manufacturer:', "the maker named in the machine's firmware"),
    ('Model', 'Model:', "the model named in the machine's firmware"),
    ('SerialNumber', 'Serial Number:', "the serial number in the machine's firmware"),
    ('AssetTag', 'Asset Tag:', "the asset tag in the machine's firmware"),
    ('Updated', 'Updated:', 'the local time the values were read'),
]

# (section, key, kind, display name, explanation, details)
POLICIES = [
    ('Save', 'Filename', TEXT, 'Wallpaper file name',
     'Sets the name of the wallpaper file that /refresh writes (a plain name ending in .bmp). In the window, Save As still lets the user save a copy under another name.', {'label': 'File name:', 'max': 4095}),
    ('Save', 'SetAsWallpaper', FLAG, 'Install the wallpaper as the desktop wallpaper',
     'Enabled, the wallpaper Murvex writes is installed as the Windows desktop wallpaper ("Set as Wallpaper" in Save As); disabled, it is only written.', {}),
    ('Save', 'SaveSettings', FLAG, "Save the settings on this machine",
     'Enabled, Save As saves the settings on this machine for the next time Murvex runs ("Save settings"); disabled, it does not.', {}),
    ('General', 'Captions', FLAG, 'Show the captions', 'Includes or excludes the captions group (the machine\'s values) from the wallpaper.', {}),
    ('General', 'Notes', FLAG, 'Show the notes', 'Includes or excludes the notes from the wallpaper.', {}),
    ('General', 'Grid', FLAG, 'Show the sizing grid', 'Includes or excludes the grid of screen sizes from the wallpaper.', {}),
    ('General', 'Logo', FLAG, 'Show the logo', 'Includes or excludes the logo bitmap from the wallpaper.', {}),
    ('General', 'Border', FLAG, 'Draw a border', 'Includes a border around the edges of the wallpaper. Recommended for small wallpapers with the default background color.', {}),
    ('General', 'Margins', NUMBER, 'Margin', 'Sets the space, in pixels (0 to 100), between the text and other items in the wallpaper and its edges.', {'label': 'Margin (pixels):', 'min': 0, 'max': 100, 'default': 10}),
    ('General', 'Position', CHOICE, 'Position', 'Sets where the text and the logo stand on the screen while there is no grid: centered, or in a corner of the main screen, clear of the taskbar.', {'label': 'Position:', 'items': ['Center', 'Top left', 'Top right', 'Bottom left', 'Bottom right']}),
    ('General', 'ColorSelect', CHOICE, 'Colors', 'Sets the colors of the wallpaper: the Windows desktop colors, the same reversed, or the custom foreground and background colors set by the two policies beside this one.', {'label': 'Colors:', 'items': ['System', 'Reversed', 'Custom']}),
    ('General', 'ForegroundColor', NUMBER, 'Custom foreground color', 'Sets the custom color of the wallpaper\'s text, used with the Custom colors: a number, red + 256 x green + 65536 x blue (255 is red).', {'label': 'Color:', 'min': 0, 'max': 16777215, 'default': 0}),
    ('General', 'BackgroundColor', NUMBER, 'Custom background color', 'Sets the custom color of the wallpaper\'s background, used with the Custom colors: a number, red + 256 x green + 65536 x blue (16777215 is white).', {'label': 'Color:', 'min': 0, 'max': 16777215, 'default': 16777215}),
] + [
    ('Captions', key, FLAG, 'Show "%s"' % label, 'Includes or excludes the line "%s" from the captions: %s.' % (label, what), {})
    for key, label, what in CAPTIONS
] + [
    ('Captions', 'Order', TEXT, 'Order of the caption lines', 'Sets the order of the caption lines on the wallpaper: their names separated by commas, as the settings file keeps them (Machine, OS, OSVers, Locale, Browser, BrowserVers, IPAddress, User, Domain, LogonServer, BootTime, CPU, Memory, SystemType, FreeSpace, MACAddress, Gateway, DNSServer, Manufacturer, Model, SerialNumber, AssetTag, Updated, Custom1 to Custom16). Lines not named follow in that order.', {'label': 'Order:', 'max': 512}),
] + [
    ('Custom', str(n), CUSTOM, 'Own caption line %d' % n, 'Adds caption line %d of your own: a label, and where its value is read from: registry:HKLM\\Key\\Value (or HKCU), env:VARIABLE, version:path of a file, or text:fixed text. Nothing is ever run: any other source shows nothing. Lines set here replace the lines of the settings files.' % n, {})
    for n in range(1, 17)
] + [
    ('Notes', 'Notes', LINES, 'Notes', 'Sets the notes on the wallpaper, one line per line. A line with a tab reads as a further caption line.', {'label': 'Notes:'}),
    ('Grid', 'LineSize', NUMBER, 'Grid line size', 'Sets the thickness of the grid lines: 0 solid, 1 to 6 dashed lines of that thickness.', {'label': 'Line size:', 'min': 0, 'max': 6, 'default': 2}),
    ('Grid', 'TaskBar', FLAG, 'Grid lines for the task bar', 'Enables or disables the extra grid lines that allow for the Windows task bar.', {}),
    ('Grid', 'RightToLeft', FLAG, 'Flip the grid horizontally', 'Flips the wallpaper horizontally for right-to-left languages such as Arabic and Hebrew.', {}),
]

SECTIONS = [('Save', 'Saving'), ('General', 'General'), ('Captions', 'Captions'), ('Custom', 'Own caption lines'),
            ('Notes', 'Notes'), ('Grid', 'Grid')]


def policy_id(section, key):
    return '%s_%s' % (section, key)


def write_admx(path):
    out = ['<?xml version="1.0" encoding="utf-8"?>',
           '<policyDefinitions xmlns:xsd="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" revision="1.0" schemaVersion="1.0" xmlns="http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions">',
           '  <policyNamespaces>',
           '    <target prefix="murvex" namespace="Murvex.Policies.Murvex" />',
           '  </policyNamespaces>',
           '  <resources minRequiredRevision="1.0" />',
           '  <supportedOn>',
           '    <definitions>',
           '      <definition name="SUPPORTED_Murvex" displayName="$(string.SUPPORTED_Murvex)" />',
           '    </definitions>',
           '  </supportedOn>',
           '  <categories>',
           '    <category name="Murvex" displayName="$(string.Murvex)" />']
    for section, _ in SECTIONS:
        out += ['    <category name="Cat_%s" displayName="$(string.Cat_%s)">' % (section, section),
                '      <parentCategory ref="Murvex" />', '    </category>']
    out += ['  </categories>', '  <policies>']
    for section, key, kind, _, _, details in POLICIES:
        name = policy_id(section, key)
        head = '    <policy name="%s" class="Both" displayName="$(string.%s)" explainText="$(string.%s_Help)" key="%s"' % (
            name, name, name, escape(KEY + section))
        if kind == FLAG:
            out += [head + ' valueName="%s">' % key]
        else:
            out += [head + ' presentation="$(presentation.%s)">' % name]
        out += ['      <parentCategory ref="Cat_%s" />' % section, '      <supportedOn ref="SUPPORTED_Murvex" />']
        if kind == FLAG:
            out += ['      <enabledValue><decimal value="1" /></enabledValue>',
                    '      <disabledValue><decimal value="0" /></disabledValue>']
        else:
            out += ['      <elements>']
            if kind == NUMBER:
                out += ['        <decimal id="%s" valueName="%s" minValue="%d" maxValue="%d" />' % (key, key, details['min'], details['max'])]
            elif kind == CHOICE:
                out += ['        <enum id="%s" valueName="%s">' % (key, key)]
                for value, _ in enumerate(details['items']):
                    out += ['          <item displayName="$(string.%s_%d)"><value><decimal value="%d" /></value></item>' % (name, value, value)]
                out += ['        </enum>']
            elif kind == TEXT:
                out += ['        <text id="%s" valueName="%s" maxLength="%d" />' % (key, key, details['max'])]
            elif kind == LINES:
                out += ['        <multiText id="%s" valueName="%s" />' % (key, key)]
            elif kind == CUSTOM:
                out += ['        <text id="Label" valueName="Label%s" maxLength="64" />' % key,
                        '        <text id="Source" valueName="Source%s" maxLength="2048" />' % key,
                        '        <boolean id="Show" valueName="Show%s"><trueValue><decimal value="1" /></trueValue><falseValue><decimal value="0" /></falseValue></boolean>' % key]
            out += ['      </elements>']
        out += ['    </policy>']
    out += ['  </policies>', '</policyDefinitions>']
    with open(path, 'w', newline='\r\n') as f:
        f.write('\n'.join(out) + '\n')


def write_adml(path):
    strings = [('Murvex', 'Murvex'), ('SUPPORTED_Murvex', 'Murvex on any version of Windows it runs on')]
    strings += [('Cat_' + section, title) for section, title in SECTIONS]
    presentations = []
    for section, key, kind, title, explain, details in POLICIES:
        name = policy_id(section, key)
        strings += [(name, title), (name + '_Help', explain + '\n\nNot configured, the settings files decide. Set for the machine, it wins over the same policy set for the user.')]
        if kind == CHOICE:
            strings += [('%s_%d' % (name, value), text) for value, text in enumerate(details['items'])]
        if kind == NUMBER:
            presentations.append((name, ['<decimalTextBox refId="%s" defaultValue="%d">%s</decimalTextBox>' % (key, details['default'], escape(details['label']))]))
        elif kind == CHOICE:
            presentations.append((name, ['<dropdownList refId="%s" noSort="true" defaultItem="0">%s</dropdownList>' % (key, escape(details['label']))]))
        elif kind == TEXT:
            presentations.append((name, ['<textBox refId="%s"><label>%s</label></textBox>' % (key, escape(details['label']))]))
        elif kind == LINES:
            presentations.append((name, ['<multiTextBox refId="%s">%s</multiTextBox>' % (key, escape(details['label']))]))
        elif kind == CUSTOM:
            presentations.append((name, ['<textBox refId="Label"><label>Label:</label></textBox>',
                                         '<textBox refId="Source"><label>Source:</label></textBox>',
                                         '<checkBox refId="Show" defaultChecked="true">Show the line</checkBox>']))
    out = ['<?xml version="1.0" encoding="utf-8"?>',
           '<policyDefinitionResources xmlns:xsd="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" revision="1.0" schemaVersion="1.0" xmlns="http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions">',
           '  <displayName>Murvex</displayName>',
           '  <description>Settings of Murvex, the identification wallpaper.</description>',
           '  <resources>', '    <stringTable>']
    out += ['      <string id="%s">%s</string>' % (sid, escape(text)) for sid, text in strings]
    out += ['    </stringTable>', '    <presentationTable>']
    for pid, parts in presentations:
        out += ['      <presentation id="%s">' % pid] + ['        ' + part for part in parts] + ['      </presentation>']
    out += ['    </presentationTable>', '  </resources>', '</policyDefinitionResources>']
    with open(path, 'w', newline='\r\n') as f:
        f.write('\n'.join(out) + '\n')


write_admx(os.path.join(ROOT, 'Murvex.admx'))
write_adml(os.path.join(ROOT, 'en-US', 'Murvex.adml'))
