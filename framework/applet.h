#pragma once

#include "app_server_proxy.h"

// A server proxy whose server is fixed at construction: the application.
class Applet : public AppServerProxy {
public:
    explicit Applet(App* application) : server(application) {}

    App* GetServer() override { return server; }

protected:
    ~Applet() = default;

private:
    App* const server;
};
