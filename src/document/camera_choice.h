#pragma once
// "Elegir cámara" without the window: the chosen device's video
// configuration written into the project's folder. No Qt; GUI thread.

#include "media/capture_devices.h"

#include <string>

// Writes the configuration opening `device` at `mode`'s size and highest
// rate as "camara-<device>.cfg" in projectDir (ends with '/'); a different
// file of that name is kept and the next free "camara-<device>-N.cfg" is
// used. *fileName is the name written, relative to the project. False with
// the reason, and nothing written.
bool WriteCameraChoice(const std::string& projectDir, const CaptureDevice& device,
                       const CaptureMode& mode, std::string* fileName, std::string* error);
