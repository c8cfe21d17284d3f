// The run layer grows with the video source and the pattern registry.
