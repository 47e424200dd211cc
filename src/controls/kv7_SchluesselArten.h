#pragma once
// The keyed combo boxes in the settings file: the selected key, the folder or the file under the
// control's name, and with kivPAR_Save_Keys all entries too.

// Registers the three kinds with the settings store; the boxes call it when they are made.
void SchluesselArtenRegistrieren();
