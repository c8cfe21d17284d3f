#pragma once
// A fresh tracking state for every test, and a scratch folder for its files.

#include "support/scratch_folder.h"
#include "tracking/tracking_state.h"

#include <gtest/gtest.h>

#include <string>

class FreshTrackingState : public testing::Test
{
  protected:
    void SetUp() override { trackingState().Reset(); }
    void TearDown() override { trackingState().Reset(); }
    // Writes the file into the scratch folder and gives its path.
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        WriteBytes(m_folder.Path(name), bytes);
        return m_folder.Path(name);
    }

    ScratchFolder m_folder;
};
