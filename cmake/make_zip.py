# Writes a zip of files, the same bytes from the same files wherever and
# whenever it runs: entries in the order given, each at the given time,
# with one mode and no extra fields (CMake's own tar writes the files'
# access and change times).
#   python3 make_zip.py OUTPUT.zip EPOCH_SECONDS FOLDER [FILE...]
# Without names, every file of the folder, in the order of their names.
import os
import sys
import time
import zipfile

output, epoch, folder, *names = sys.argv[1:]
names = names or sorted(os.listdir(folder))
moment = time.gmtime(int(epoch))[:6]
with zipfile.ZipFile(output, "w") as archive:
    for name in names:
        entry = zipfile.ZipInfo(name, date_time=moment)
        entry.compress_type = zipfile.ZIP_DEFLATED
        entry.create_system = 3  # Unix
        entry.external_attr = 0o100644 << 16
        with open(f"{folder}/{name}", "rb") as file:
            archive.writestr(entry, file.read(), compresslevel=9)
