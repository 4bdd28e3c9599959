// Injected before a page's own scripts (Page.addScriptToEvaluateOnNewDocument) to count the
// animation frames and timers the page schedules, so a test can tell a page at rest from one
// that keeps waking up. The wrappers change nothing else the page can observe.
(() => {
  'use strict'; // so that the wrappers pass `this` on as they get it, undefined included
  const original = {};
  for (const name of ['requestAnimationFrame', 'cancelAnimationFrame', 'setTimeout', 'clearTimeout', 'setInterval', 'clearInterval']) {
    original[name] = window[name];
  }
  const frames = new Set(); // ids of frames requested and neither run nor cancelled
  const timers = new Set(); // timeouts not yet run or cleared, intervals not yet cleared
  // Plain data fields rather than getters, so that Runtime.evaluate's returnByValue copies them,
  // and reset is not enumerable, so that the copy holds nothing but the counts.
  const probe = { framesRequested: 0, framesRun: 0, framesPending: 0, timersSet: 0, timersRun: 0, timersPending: 0 };
  Object.defineProperty(probe, 'reset', {
    // The counts restart from zero; what is pending stays, since it is still scheduled.
    value() { probe.framesRequested = probe.framesRun = probe.timersSet = probe.timersRun = 0; },
  });
  const update = () => { probe.framesPending = frames.size; probe.timersPending = timers.size; };

  // Calls the original with the callback wrapped, keeping `this` and every other argument, so
  // that it still throws (and nothing is counted) where the page's own call would have.
  function schedule(name, ids, counter, makeWrapper) {
    return function (callback) {
      if (!arguments.length || (name === 'requestAnimationFrame' && typeof callback !== 'function')) {
        return original[name].apply(this, arguments);
      }
      let id;
      const wrapper = makeWrapper(callback, () => id);
      id = original[name].apply(this, [wrapper, ...Array.prototype.slice.call(arguments, 1)]);
      ids.add(id);
      probe[counter]++;
      update();
      return id;
    };
  }
  // Counts the run before calling, so that a callback that throws still counts.
  const runner = (ids, counter, repeats) => (callback, id) => {
    // A string handler is converted now and runs later as global code, as an indirect eval does.
    const code = typeof callback === 'function' ? null : `${callback}`; // throws for a Symbol, as setTimeout does
    return function () {
      if (!repeats) ids.delete(id());
      probe[counter]++;
      update();
      return code === null ? callback.apply(this, arguments) : (0, eval)(code);
    };
  };
  function cancel(name, ids) {
    return function (id) {
      const result = original[name].apply(this, arguments);
      ids.delete(id);
      update();
      return result;
    };
  }

  window.requestAnimationFrame = schedule('requestAnimationFrame', frames, 'framesRequested', runner(frames, 'framesRun', false));
  window.cancelAnimationFrame = cancel('cancelAnimationFrame', frames);
  window.setTimeout = schedule('setTimeout', timers, 'timersSet', runner(timers, 'timersRun', false));
  window.setInterval = schedule('setInterval', timers, 'timersSet', runner(timers, 'timersRun', true));
  // Timeouts and intervals share one list of ids: either clear function clears either kind.
  window.clearTimeout = cancel('clearTimeout', timers);
  window.clearInterval = cancel('clearInterval', timers);
  window.__probe = probe;
})();
