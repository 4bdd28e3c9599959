// Wheel reader for Windows: DirectInput 7's system mouse, read as relative
// axes; lZ is the wheel's movement since the last read (120 a notch). The
// device is shared with other programs and read only while the host's
// window is the foreground window (DISCL_FOREGROUND | DISCL_NONEXCLUSIVE):
// a notch made while the user works in another program is not ours. It is
// acquired by the first poll in front, which reads nothing, and again by any
// poll after the device was lost.
#define DIRECTINPUT_VERSION 0x0700
#include <dinput.h>
#include <windows.h>

#include "wheel.h"

namespace {

IDirectInputA* wheelInput = nullptr;
IDirectInputDeviceA* wheelDevice = nullptr;
HWND wheelWindow = nullptr;

HRESULT CreateWheelDevice() {
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
    status = wheelDevice->SetDataFormat(&c_dfDIMouse);
    if (FAILED(status)) {
        return status;
    }
    return wheelDevice->SetCooperativeLevel(wheelWindow, DISCL_FOREGROUND | DISCL_NONEXCLUSIVE);
}

}  // namespace

// The host calls this with its window's GL context current, which is how
// the reader finds the window without the host handing it over.
int InitWheel() {
    wheelWindow = WindowFromDC(wglGetCurrentDC());
    if (!wheelWindow) {
        return E_HANDLE;
    }
    const HRESULT status = CreateWheelDevice();
    if (FAILED(status)) {
        ReleaseWheel();
    }
    return status;
}

// Without a device (InitWheel failed, or ReleaseWheel ran) nothing moved.
// The window's loss of activation is seen here rather than in its window
// procedure, which belongs to the host: a poll while another window is in
// front lets the device go and reads nothing.
int PollWheel() {
    if (!wheelDevice) {
        return 0;
    }
    if (GetForegroundWindow() != wheelWindow) {
        wheelDevice->Unacquire();
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
    wheelWindow = nullptr;
}
