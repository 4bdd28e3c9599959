// Starts the program on this page. Its command line comes from the address's
// query, under the same names: ?seed=N&scale=F&no-banner gives
// --seed=N --scale=F --no-banner. What the program prints (a bad option's
// one-line message, --help, --version) is shown on the page.
(function() {
  function argumentsFromQuery(query) {
    return query.replace(/^\?/, '').split('&').filter(Boolean).map(function(part) {
      var at = part.indexOf('=');
      var decode = function(s) { return decodeURIComponent(s.replace(/\+/g, ' ')); };
      return at < 0 ? '--' + decode(part) : '--' + decode(part.slice(0, at)) + '=' + decode(part.slice(at + 1));
    });
  }
  function show(text) {
    var message = document.getElementById('message');
    message.hidden = false;
    message.textContent += text + '\n';
  }
  // emscripten's emulation of OpenGL 1.1 warns of its limits on stderr as it
  // starts; that is for developers, in the console.
  function showError(text) {
    if (/^WARNING: using emscripten GL/.test(text)) console.warn(text);
    else show(text);
  }
  // A control with data-key types that key into the program, as the keyboard
  // would; it is how a device without one clears the canvases.
  document.addEventListener('click', function(e) {
    var key = e.target.closest && e.target.closest('[data-key]');
    if (key) window.dispatchEvent(new KeyboardEvent('keydown', {key: key.dataset.key}));
  });
  // A page that has a service worker beside it works offline after one
  // visit; browsers refuse service workers on file: addresses.
  var worker = document.querySelector('link[rel=manifest]') && 'serviceWorker' in navigator;
  if (worker && location.protocol !== 'file:') {
    navigator.serviceWorker.register('service-worker.js').catch(function(error) {
      console.warn('The page will not work offline:', error);
    });
  }
  window.Module = {
    arguments: argumentsFromQuery(location.search),
    canvas: document.getElementById('canvas'),
    print: show,
    printErr: showError,
  };
})();
