"""A mail server for the tests, on 127.0.0.1 and a free port it picks.

Usage: smtpserver.py FOLDER [REFUSED,ADDRESSES] [USER PASSWORD]
Prints "READY <port>" once it listens; every mail it takes becomes FOLDER/NNN.json (envelope,
decoded subject and text, the raw message). Ends when its standard input closes.
"""
import email
import email.policy
import json
import os
import socket
import sys

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult

folder = sys.argv[1]
refused = set(a for a in (sys.argv[2] if len(sys.argv) > 2 else '').split(',') if a)
user = sys.argv[3] if len(sys.argv) > 3 else ''
password = sys.argv[4] if len(sys.argv) > 4 else ''


class Handler:
    count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in refused:
            return '550 5.1.1 <%s>: Recipient address rejected: User unknown' % address
        envelope.rcpt_tos.append(address)
        return '250 OK'

    async def handle_DATA(self, server, session, envelope):
        Handler.count += 1
        raw = envelope.original_content or envelope.content
        message = email.message_from_bytes(raw, policy=email.policy.default)
        info = {
            'from': envelope.mail_from,
            'to': envelope.rcpt_tos,
            'headerTo': str(message['to']),
            'subject': str(message['subject']),
            'encoding': str(message['content-transfer-encoding']),
            'body': message.get_content().replace('\r\n', '\n'),
            'raw': raw.decode('ascii', 'replace'),
            'login': getattr(session, 'test_login', None),
        }
        path = os.path.join(folder, '%03d' % Handler.count)
        with open(path + '.tmp', 'w', encoding='utf-8') as f:
            json.dump(info, f)
        os.rename(path + '.tmp', path + '.json')
        return '250 Message accepted'


def authenticate(server, session, envelope, mechanism, auth_data):
    ok = auth_data.login.decode() == user and auth_data.password.decode() == password
    if ok:
        session.test_login = auth_data.login.decode()
    return AuthResult(success=ok, handled=False)


probe = socket.socket()
probe.bind(('127.0.0.1', 0))
port = probe.getsockname()[1]
probe.close()
options = {}
if user:
    options = dict(authenticator=authenticate, auth_required=True, auth_require_tls=False)
controller = Controller(Handler(), hostname='127.0.0.1', port=port, **options)
controller.start()
print('READY %d' % port, flush=True)
sys.stdin.read()
controller.stop()
