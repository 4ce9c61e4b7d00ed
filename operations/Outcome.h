#pragma once
// How a load or save workflow ended. The workflow has already told the user
// (at most one message box); the value is for callers that act on it, such
// as the command-line tool and the tests.

namespace rq7 {

enum class Outcome {
    Done,              // loaded or saved (msg004/005, msg014, msg023; file save: silent)
    DialogCancelled,   // the file dialog was cancelled: silent
    OverwriteDeclined, // msg035 answered No: silent
    ReadFailed,        // msg001/002 (file), msg011 (device)
    WriteFailed,       // msg008/009 (file), msg021 (device, also Storno during the write)
    InvalidImage,      // msg006/007 (file), msg015 or msg100 (device)
    ConversionFailed,  // the image could not be read into the window (msg034) or
                       // built from it (msg010, msg024)
    Stopped,           // Storno: msg012 (load), msg022 (save after the last block)
    OutputNamesClash,  // msg041
    TooLarge,          // msg018/019
    ConnectionLost,    // msg070: the port went away during the transfer
    BackupFailed,      // the device's settings could not be backed up, so the write
                       // did not start: msg091 (read), msg092/093 (save), msg097 (Storno)
};

// True for the outcomes that moved the settings.
inline bool succeeded(Outcome outcome) {
    return outcome == Outcome::Done;
}

} // namespace rq7
