#pragma once
// The demo's second model, a turning sign, written as glTF by our own
// writer: a grey post and a brick-textured panel that turns about the
// post once every four seconds, Z up, in millimetres on the marker.

#include <string>

// Writes `folder`/senal.gltf and senal.bin; the panel's texture is
// `folder`/ladrillo.png, which must already be there. False with a reason.
bool WriteDemoSign(const std::string& folder, std::string* error);
