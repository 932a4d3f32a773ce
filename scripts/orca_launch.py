# Starts Orca as /usr/bin/orca does, but beside any other Orca of this user
# (its check for others refuses to start, and --replace would end them all),
# keeping the name python3 (so another session's --replace, which looks for
# "orca", leaves this one alone), and with its debug log written line by
# line, for the test to wait on.
import builtins
import sys

orca = {'__name__': 'orca_launch', '__file__': '/usr/bin/orca'}
with open('/usr/bin/orca', encoding='utf-8') as source:
    exec(compile(source.read(), '/usr/bin/orca', 'exec'), orca)
orca['otherOrcas'] = lambda: []
orca['setProcessName'] = lambda name: True
orca['open'] = lambda name, mode='r': builtins.open(name, mode, buffering=1)
sys.argv = ['orca'] + sys.argv[1:]
sys.exit(orca['main']())
