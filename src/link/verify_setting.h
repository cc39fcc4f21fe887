#pragma once
// Whether Write To Radio reads the radio back after writing, kept in the user's settings.

bool VerifyAfterWritingSetting();
void SetVerifyAfterWritingSetting(bool on);
