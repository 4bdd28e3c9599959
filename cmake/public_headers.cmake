# Every header of the framework, and of the GLUT layer the host, its menu and
# the banner with the headers they include, as programs on the framework name
# them: <quillmere/app.h>. The rest of glut/ (the callbacks, the wheel reader,
# the platforms' helpers) is the host's own business.
set(quillmere_public_headers
    framework/app.h
    framework/app_client_proxy.h
    framework/app_menu.h
    framework/app_mode_master.h
    framework/app_mode_slave.h
    framework/app_overlay.h
    framework/app_server_proxy.h
    framework/applet.h
    framework/applet_mode_master.h
    framework/application.h
    framework/clock.h
    framework/picture_changes.h
    framework/vec2.h
    framework/window_description.h
    glut/app_menu_glut.h
    glut/application_glut.h
    glut/banner.h
    glut/desktop_scale.h
    glut/frame_gl.h
    glut/frame_parts.h
    glut/part_presenter.h
    glut/size_keeper.h
)
list(TRANSFORM quillmere_public_headers PREPEND ${PROJECT_SOURCE_DIR}/)
