// Wheel reader for Windows: DirectInput 7's system mouse, read as relative
// axes; lZ is the wheel's movement since the last read (120 a notch). No
// cooperative level is set, so the device is shared and read in the
// background: a notch counts wherever the pointer is. The device is acquired
// by the first poll, which reads nothing, and again by any poll after the
// device was lost.
#define DIRECTINPUT_VERSION 0x0700
#include <dinput.h>
#include <windows.h>

#include "wheel.h"

namespace {

IDirectInputA* wheelInput = nullptr;
IDirectInputDeviceA* wheelDevice = nullptr;

}  // namespace

int InitWheel() {
    HRESULT status =
        DirectInputCreateA(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION, &wheelInput, nullptr);
    if (FAILED(status)) {
        wheelInput = nullptr;
        return status;
    }
    status = wheelInput->CreateDevice(GUID_SysMouse, &wheelDevice, nullptr);
    if (FAILED(status)) {
        wheelDevice = nullptr;
        return status;
    }
    return wheelDevice->SetDataFormat(&c_dfDIMouse);
}

// Without a device (InitWheel failed, or ReleaseWheel ran) nothing moved.
int PollWheel() {
    if (!wheelDevice) {
        return 0;
    }
    DIMOUSESTATE state{};
    if (FAILED(wheelDevice->GetDeviceState(sizeof state, &state))) {
        wheelDevice->Acquire();
        return 0;
    }
    return (state.lZ > 0) - (state.lZ < 0);
}

// Only what InitWheel made is released, and only once.
void ReleaseWheel() {
    if (wheelDevice) {
        wheelDevice->Unacquire();
        wheelDevice->Release();
        wheelDevice = nullptr;
    }
    if (wheelInput) {
        wheelInput->Release();
        wheelInput = nullptr;
    }
}
