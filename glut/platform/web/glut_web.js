// The page's side of the web GLUT and platform (declared in glut_web_js.h):
// the WebGL context, the canvas on the page, pointer events, the popup menu
// and the start-up banner. It calls back into the program only through the
// exported glut_web_on_* functions.
mergeInto(LibraryManager.library, {
  $GlutWeb: {
    canvas: null,
    // The canvas pixel under a point of the page: the canvas may be shown at
    // any size, so positions are scaled from its box to its drawing buffer.
    canvasPixel: function(clientX, clientY) {
      var c = GlutWeb.canvas, r = c.getBoundingClientRect();
      return [Math.floor((clientX - r.left) * c.width / r.width),
              Math.floor((clientY - r.top) * c.height / r.height)];
    },
    modifiers: function(e) {
      return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0);
    },
    // The canvas's parent: the part of the page the canvas may fill.
    room: function() {
      var canvas = GlutWeb.canvas || Module['canvas'] || document.getElementById('canvas');
      var stage = canvas.parentElement;
      return {width: stage.clientWidth, height: stage.clientHeight};
    },
  },

  // Made through Browser.createContext, which sets up emscripten's emulation
  // of OpenGL 1.1 for the context; a context made otherwise lacks it. The
  // drawing buffer is preserved so that a frame may redraw only some parts.
  glut_web_js_create_context__deps: ['$Browser', '$GlutWeb'],
  glut_web_js_create_context: function() {
    var canvas = Module['canvas'] || document.getElementById('canvas');
    if (!canvas) return 0;
    Module['canvas'] = GlutWeb.canvas = canvas;
    var made = Browser.createContext(canvas, true, true, {
      antialias: false, alpha: false, depth: false, stencil: false,
      preserveDrawingBuffer: true,
    });
    canvas.hidden = !made;
    return made ? 1 : 0;
  },

  // Giving a canvas its size again clears it, so only a change is given.
  glut_web_js_size_canvas__deps: ['$GlutWeb'],
  // The canvas is centred across its room, on a whole device pixel, so
  // that each of its pixels is one of the screen's and the picture is sharp.
  glut_web_js_size_canvas: function(width, height) {
    var c = GlutWeb.canvas, ratio = window.devicePixelRatio || 1;
    if (c.width != width) c.width = width;
    if (c.height != height) c.height = height;
    c.style.width = (width / ratio) + 'px';
    c.style.height = (height / ratio) + 'px';
    var spare = GlutWeb.room().width * ratio - width;
    c.style.marginLeft = (spare > 0 ? Math.floor(spare / 2) / ratio : 0) + 'px';
  },

  glut_web_js_show_canvas__deps: ['$GlutWeb'],
  glut_web_js_show_canvas: function(shown) {
    var c = GlutWeb.canvas || document.getElementById('canvas');
    if (c) c.style.visibility = shown ? '' : 'hidden';
  },

  glut_web_js_set_title: function(title) {
    document.title = UTF8ToString(title);
  },

  glut_web_js_set_cursor__deps: ['$GlutWeb'],
  glut_web_js_set_cursor: function(cursor) {
    GlutWeb.canvas.style.cursor = UTF8ToString(cursor);
  },

  // Pointer events rather than mouse events: their positions are fractions
  // of a CSS pixel, and a captured pointer keeps reporting to the canvas
  // when a drag leaves it, as a pointer grab does on the desktop. A second
  // button pressed or released during a drag comes as a move with `button`
  // set. Only the primary pointer counts: a second finger does nothing.
  //
  // A finger or a pen has no Alt key, so touching and holding still for
  // half a second presses with Alt, as a long press picks up a copy; until
  // the finger moves or that time passes the press is held back.
  glut_web_js_listen_pointer__deps: ['$GlutWeb'],
  glut_web_js_listen_pointer: function() {
    var c = GlutWeb.canvas;
    var buttonBits = [1, 4, 2];
    var holdMs = 500, slopCss = 8, alt = 4;
    var held = null;
    function send(kind, button, e, extra) {
      var p = GlutWeb.canvasPixel(e.clientX, e.clientY);
      _glut_web_on_pointer(kind, button, p[0], p[1], GlutWeb.modifiers(e) | (extra || 0));
    }
    function releaseHeld(extra) {
      clearTimeout(held.timer);
      send(0, 0, held.down, extra);
      held = null;
    }
    c.addEventListener('pointerdown', function(e) {
      if (!e.isPrimary || e.button < 0 || e.button > 2) return;
      c.setPointerCapture(e.pointerId);
      e.preventDefault();
      if (e.pointerType === 'mouse' || e.button !== 0) {
        send(0, e.button, e);
        return;
      }
      var down = {clientX: e.clientX, clientY: e.clientY, shiftKey: e.shiftKey,
                  ctrlKey: e.ctrlKey, altKey: e.altKey};
      held = {down: down, timer: setTimeout(function() {
        if (navigator.vibrate) navigator.vibrate(15);
        releaseHeld(alt);
      }, holdMs)};
    });
    c.addEventListener('pointermove', function(e) {
      if (!e.isPrimary) return;
      if (held) {
        if (Math.hypot(e.clientX - held.down.clientX, e.clientY - held.down.clientY) < slopCss) return;
        releaseHeld(0);
      }
      if (e.button >= 0 && e.button <= 2) {
        send((e.buttons & buttonBits[e.button]) ? 0 : 1, e.button, e);
      } else {
        send(2, -1, e);
      }
    });
    c.addEventListener('pointerup', function(e) {
      if (!e.isPrimary || e.button < 0 || e.button > 2) return;
      if (held) releaseHeld(0);
      send(1, e.button, e);
    });
    // A pointer the browser takes over ends its press where it was last
    // seen; one still held back never reached the program.
    c.addEventListener('pointercancel', function(e) {
      if (!e.isPrimary) return;
      if (held) {
        clearTimeout(held.timer);
        held = null;
        return;
      }
      send(1, 0, e);
    });
    c.addEventListener('contextmenu', function(e) { e.preventDefault(); });
  },

  // The menu opens with its top left corner at the pointer, over a layer
  // that covers the page: a press outside the menu closes it and reaches
  // nothing else, and so do Escape and the keys while it is open.
  glut_web_js_open_menu__deps: ['$GlutWeb'],
  glut_web_js_open_menu: function(menuJson, x, y) {
    var tree = JSON.parse(UTF8ToString(menuJson));
    var c = GlutWeb.canvas, r = c.getBoundingClientRect();
    var layer = document.createElement('div');
    layer.className = 'glut-menu-layer';
    function close(menu, value) {
      window.removeEventListener('keydown', onKey, true);
      layer.remove();
      if (menu !== undefined) _glut_web_on_menu_chosen(menu, value);
    }
    function onKey(e) {
      e.stopImmediatePropagation();
      e.preventDefault();
      if (e.key === 'Escape') close();
    }
    function build(menu, left, top) {
      var list = document.createElement('ul');
      list.className = 'glut-menu';
      list.setAttribute('role', 'menu');
      list.style.left = left + 'px';
      list.style.top = top + 'px';
      menu.entries.forEach(function(entry) {
        var item = document.createElement('li');
        item.setAttribute('role', 'menuitem');
        item.textContent = entry.label;
        if (entry.sub) {
          item.className = 'glut-submenu';
          item.setAttribute('aria-haspopup', 'menu');
          var open = function() {
            Array.prototype.forEach.call(list.querySelectorAll(':scope > li > ul'),
                                         function(u) { u.remove(); });
            var box = item.getBoundingClientRect();
            item.appendChild(build(entry.sub, box.right, box.top));
          };
          item.addEventListener('pointerenter', open);
          item.addEventListener('click', function(e) { if (e.target === item) open(); });
        } else {
          item.addEventListener('click', function(e) {
            e.stopPropagation();
            close(menu.menu, entry.value);
          });
        }
        list.appendChild(item);
      });
      return list;
    }
    layer.addEventListener('pointerdown', function(e) {
      if (e.target === layer) close();
    });
    layer.addEventListener('contextmenu', function(e) { e.preventDefault(); });
    layer.appendChild(build(tree, r.left + x * r.width / c.width, r.top + y * r.height / c.height));
    document.body.appendChild(layer);
    window.addEventListener('keydown', onKey, true);
  },

  // A form of method "dialog" closes the dialog when OK is pressed by Enter,
  // Space or a click; Escape closes it too, as on the desktop.
  glut_web_js_show_banner: function(caption, text) {
    var dialog = document.createElement('dialog');
    dialog.id = 'banner';
    dialog.className = 'glut-banner';
    var heading = document.createElement('h1');
    heading.id = 'banner-caption';
    heading.textContent = UTF8ToString(caption);
    var body = document.createElement('p');
    body.textContent = UTF8ToString(text);
    var form = document.createElement('form');
    form.method = 'dialog';
    var ok = document.createElement('button');
    ok.textContent = 'OK';
    form.appendChild(ok);
    dialog.setAttribute('aria-labelledby', heading.id);
    dialog.append(heading, body, form);
    dialog.addEventListener('close', function() {
      dialog.remove();
      _glut_web_on_banner_closed();
    });
    document.body.appendChild(dialog);
    dialog.showModal();
    ok.focus();
  },

  glut_web_js_device_pixel_ratio: function() {
    return window.devicePixelRatio || 1;
  },

  glut_web_js_room_width__deps: ['$GlutWeb'],
  glut_web_js_room_width: function() {
    return Math.floor(GlutWeb.room().width * (window.devicePixelRatio || 1));
  },
  glut_web_js_room_height__deps: ['$GlutWeb'],
  glut_web_js_room_height: function() {
    return Math.floor(GlutWeb.room().height * (window.devicePixelRatio || 1));
  },

  // A media query on the ratio now fires once, when the ratio changes; it is
  // then asked anew for the new ratio. The room is watched as an element, so
  // that the page's own controls count as well as the browser's window.
  glut_web_js_watch_desktop__deps: ['$GlutWeb'],
  glut_web_js_watch_desktop: function() {
    function watchRatio() {
      var query = matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)');
      query.addEventListener('change', function() {
        watchRatio();
        _glut_web_on_desktop_changed();
      }, {once: true});
    }
    watchRatio();
    var first = true;
    new ResizeObserver(function() {
      // An observer reports the size it starts with; that is no change.
      if (!first) _glut_web_on_desktop_changed();
      first = false;
    }).observe(GlutWeb.canvas.parentElement);
  },
});
