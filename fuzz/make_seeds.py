#!/usr/bin/env python3
"""Writes the seed corpora under fuzz/corpus/<target>/.

    fuzz/make_seeds.py PATH/TO/orvo-cli

The images come from orvo-cli itself (new, import); the serial scripts follow the format of
fuzz/scripted_line.h: a read of n bytes takes a count byte, then that many bytes.
"""
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")

HEADER = "CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,Power\r\n"
PROGRAMMED = (HEADER
              + "1,146.52000,146.52000,67.0,Off,No,Wide,Add,High\r\n"
              + "2,146.00625,146.60625,D023N,D754I,Yes,Narrow,Delete,Low\r\n"
              + "3,136.00000,,,,,,,\r\n"
              + "16,,174.00000,254.1,,,,,\r\n")

ACK = 0x06
IDENTIFICATION = b"ZT-4\x33\x01\x00\x00"


def put(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode()
    with open(os.path.join(folder, name), "wb") as f:
        f.write(bytes(data))


def reply(data):
    """One read that delivers `data` (a count byte, then the bytes)."""
    data = bytes(data)
    return bytes([len(data)]) + data


SILENT = b"\x00"
FAILED = b"\xff"


def images(cli):
    with tempfile.TemporaryDirectory() as tmp:
        new = os.path.join(tmp, "new.sin")
        subprocess.run([cli, "new", new], check=True)
        csv = os.path.join(tmp, "table.csv")
        with open(csv, "w", newline="") as f:
            f.write(PROGRAMMED)
        programmed = os.path.join(tmp, "programmed.sin")
        subprocess.run([cli, "import", new, csv, "-o", programmed], check=True)
        with open(new, "rb") as f:
            new_image = f.read()
        with open(programmed, "rb") as f:
            programmed_image = f.read()
    return new_image, programmed_image


def image_seeds(new_image, programmed_image):
    put("image_codecs", "new", new_image)
    put("image_codecs", "all_ff", b"\xff" * 1024)
    put("image_codecs", "all_00", b"\x00" * 1024)
    put("image_codecs", "programmed", programmed_image)
    put("image_codecs", "short_1000", new_image[:1000])
    put("image_codecs", "long_1100", new_image + b"\x55" * 76)
    # Type selection, then a tone text and a frequency text.
    put("image_codecs", "type_tone_frequency", new_image + b"\x20" + b"d023n\n446.1")
    put("image_codecs", "field_none_tone", b"\xff" * 1024 + b"\x01" + b"254.1\n174.000005")


def csv_seeds():
    put("csv_import", "programmed", b"\x00" + PROGRAMMED.encode())
    put("csv_import", "band_400_470", b"\x02" + (HEADER + "1,446.00625,,,,,,,\r\n").encode())
    put("csv_import", "not_zt4", b"\x04" + (HEADER + "5,460.10000,460.00000,d023n,OFF,no,wide,add,high\n").encode())
    put("csv_import", "quoted_bom", b"\x00" + "\ufeff".encode() + (HEADER + '"1","146,5",,,,,,,\r\n').encode())
    put("csv_import", "errors", b"\x00" + (HEADER + "1,59.99999,600.1,67,D999N,maybe,,,\r\n1,,,,,,,,\r\n17\r\n").encode())
    put("csv_import", "header_only", b"\x01" + HEADER.encode())
    put("csv_import", "unclosed_quote", b"\x00" + (HEADER + '1,"146.52\r\n').encode())


def frequency_seeds():
    put("frequency_check", "in_band", b"\x02\x00446.00625")
    put("frequency_check", "short", b"\x00\x00146.52")
    put("frequency_check", "enter_long_fraction", b"\x80\x01 174.000005")
    put("frequency_check", "letters", b"\x04\x00abc")
    put("frequency_check", "band_and_step", b"\x03\x01500.001")
    put("frequency_check", "tone_column", b"\x02\x12d023n")
    put("frequency_check", "exponent", b"\x01\x214.4605e2")
    put("frequency_check", "flag_column", b"\x02\x14Narrow")


def clone_header(write=False, open_fails=False, fail_every=0, cancel_at=0):
    flags = (1 if write else 0) | (0x06 if open_fails else 0) | ((fail_every & 7) << 3)
    return bytes([flags, cancel_at & 0xFF, cancel_at >> 8])


def clone_entry():
    """A good radio up to its acceptance of the entry acknowledgement."""
    return reply([ACK]) + SILENT + reply(IDENTIFICATION) + reply([ACK])


def read_blocks(count=128):
    out = b""
    for block in range(count):
        address = block * 8
        data = bytes((address + k) * 37 & 0xFF for k in range(8))
        out += reply(bytes([0x57, address >> 8, address & 0xFF, 8]) + data) + reply([ACK])
    return out


def clone_seeds():
    put("clone_session", "good_read", clone_header() + clone_entry() + read_blocks())
    put("clone_session", "good_write", clone_header(write=True) + clone_entry() + reply([ACK]) * 128)
    put("clone_session", "silent", clone_header())
    put("clone_session", "open_fails", clone_header(open_fails=True))
    # Another byte before the ACK, then a refused entry, then Retry and a good start.
    put("clone_session", "junk_refused_retry",
        clone_header() + reply([0x15]) + reply([ACK]) + SILENT + reply(IDENTIFICATION)
        + reply([0x15]) + b"\x01" + clone_entry() + read_blocks(3))
    put("clone_session", "short_block", clone_header() + clone_entry() + read_blocks(5)
        + reply(b"\x57\x00\x28\x08\x01\x02"))
    put("clone_session", "unacknowledged_write",
        clone_header(write=True) + clone_entry() + reply([ACK]) * 10 + SILENT)
    put("clone_session", "device_failure", clone_header() + reply([0x15]) + FAILED + FAILED)
    put("clone_session", "failing_writes", clone_header(write=True, fail_every=3) + clone_entry()
        + reply([ACK]) * 20)
    put("clone_session", "cancel", clone_header(cancel_at=1000) + clone_entry() + read_blocks())


def text(t):
    t = t.encode()
    return bytes([len(t)]) + t


def testmode_header(item=2, value=128, rx="146.52000", tx="146.52000", rx_tone="Off",
                    tx_tone="67.0", open_fails=False, fail_every=0):
    flags = (0x03 if open_fails else 0) | ((fail_every & 7) << 2)
    return (bytes([flags, item, value & 0xFF, (value >> 8) & 0xFF])
            + text(rx) + text(tx) + text(rx_tone) + text(tx_tone))


def testmode_attempt():
    """A good radio through one whole attempt."""
    return reply([ACK]) + reply(IDENTIFICATION) + reply([ACK]) + reply(b"H") * 3


def testmode_seeds():
    put("testmode_session", "good", testmode_header() + testmode_attempt())
    put("testmode_session", "good_squelch", testmode_header(item=4, value=5, rx_tone="D023N",
                                                            tx_tone="254.1") + testmode_attempt())
    put("testmode_session", "refused_value", testmode_header(value=300))
    put("testmode_session", "refused_item", testmode_header(item=7))
    put("testmode_session", "refused_tone", testmode_header(rx_tone=""))
    put("testmode_session", "open_fails", testmode_header(open_fails=True))
    put("testmode_session", "silent_cancel", testmode_header())
    # Another byte before the ACK, then no H: Retry, and a good attempt.
    put("testmode_session", "retry_then_good",
        testmode_header(item=5, value=255) + reply([0x15]) + reply([ACK]) + reply(IDENTIFICATION)
        + reply([ACK]) + reply(b"H") + reply(b"X") + b"\x01" + testmode_attempt())
    put("testmode_session", "device_failure", testmode_header(item=3, value=0) + FAILED + b"\x00")
    put("testmode_session", "failing_writes", testmode_header(fail_every=4) + testmode_attempt())


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    new_image, programmed_image = images(sys.argv[1])
    image_seeds(new_image, programmed_image)
    csv_seeds()
    frequency_seeds()
    clone_seeds()
    testmode_seeds()


if __name__ == "__main__":
    main()
