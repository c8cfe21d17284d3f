#pragma once
// The one way the program replaces a file: the bytes go to a uniquely named
// temporary file beside the target, are flushed to the disk and renamed over
// it, so a full disk, a denied write or a crash leaves the old file whole.

#include <string>

// Where an atomic write stopped, and errno at that point.
struct AtomicWriteFailure
{
    enum Stage
    {
        Create,  // no temporary file could be made in the target's folder
        Write,   // writing or flushing it failed
        Replace, // renaming it over the target failed
    };
    Stage stage = Create;
    int error = 0;
};

// False with *failure filled when the target could not be replaced; the
// temporary file is removed then. The new file has the usual permissions.
bool WriteFileAtomically(const std::string& path, const std::string& bytes,
                         AtomicWriteFailure* failure);

// WriteFileAtomically with a one-line message: "<path>: <reason>" when the
// folder refuses the file, "<path>: cannot write the <what>" otherwise.
bool ReplaceFile(const std::string& path, const std::string& bytes, const std::string& what,
                 std::string* error);
