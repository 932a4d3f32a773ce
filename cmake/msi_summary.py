# Sets an installer's summary title and keywords, which wixl writes in
# English whatever the package's language ("Installation Database",
# "Installer"). libmsi stores the strings as UTF-8 though the summary's
# code page is 1252, so they must be plain ASCII.
#   python3 msi_summary.py INSTALLER.msi TITLE KEYWORDS
import sys

import gi

gi.require_version("Libmsi", "1.0")
from gi.repository import Libmsi  # noqa: E402

msi, title, keywords = sys.argv[1:4]
for text in (title, keywords):
    if not text.isascii():
        sys.exit(f"not plain ASCII: {text}")
database = Libmsi.Database.new(msi, Libmsi.DbFlags.TRANSACT, None)
summary = Libmsi.SummaryInfo.new(database, 2**31 - 1)
summary.set_string(Libmsi.Property.TITLE, title)
summary.set_string(Libmsi.Property.KEYWORDS, keywords)
summary.persist()
database.commit()
