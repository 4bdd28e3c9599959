// A minimal DevTools-protocol client driving one page of a headless chromium.
// Needs node's global WebSocket: run node with --experimental-websocket.
import { spawn } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';
import { decodePng } from './png.mjs';

const CHROMIUM = '/usr/bin/chromium';
const LAUNCH_TIMEOUT_MS = 30000;
const CALL_TIMEOUT_MS = 60000;
export const Modifiers = { Alt: 1, Ctrl: 2, Meta: 4, Shift: 8 }; // Input.* modifiers bits
const BUTTON_BITS = { none: 0, left: 1, right: 2, middle: 4 };

export async function launchBrowser({ width = 1400, height = 1100, deviceScaleFactor = 1 } = {}) {
  // --no-sandbox: CI runs as root. SwiftShader: WebGL drawn in software, the same pixels on every
  // machine, GPU or not. No flag against background throttling is needed: the headless page is
  // 'visible', and its frames (60 Hz) and timers were measured unthrottled without one.
  const browser = new Browser([
    '--headless=new', '--no-sandbox', '--enable-unsafe-swiftshader', '--use-angle=swiftshader',
    '--remote-debugging-port=0', `--window-size=${width},${height}`,
    `--force-device-scale-factor=${deviceScaleFactor}`, '--no-first-run', '--no-default-browser-check',
  ]);
  try {
    const port = await browser.debuggingPort();
    const page = await browser.attach(await pageTarget(port));
    // A headless window of W x H shows a viewport 143 px shorter (room for a toolbar it does
    // not draw); the override makes the viewport exactly what was asked for.
    await page.setDeviceMetrics({ width, height, deviceScaleFactor });
    return page;
  } catch (error) {
    await browser.close();
    throw new Error(`${error.message}\nchromium's stderr ends with:\n${browser.stderrTail()}`);
  }
}

async function pageTarget(port) {
  for (let attempt = 0; attempt < 50; attempt++) {
    const targets = await (await fetch(`http://127.0.0.1:${port}/json/list`)).json();
    const page = targets.find((target) => target.type === 'page');
    if (page) return page;
    await sleep(100); // just after start, the about:blank tab may not be listed yet
  }
  throw new Error('chromium lists no page');
}

// Pids of live processes in process group pgid or whose command line mentions text. Zombies
// do not count: on a machine whose init reaps lazily they linger a second or two, dead.
function leftovers(pgid, text) {
  return readdirSync('/proc').filter((pid) => {
    try {
      const stat = readFileSync(`/proc/${pid}/stat`, 'latin1');
      const [state, , group] = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      return state !== 'Z' && (Number(group) === pgid || readFileSync(`/proc/${pid}/cmdline`, 'latin1').includes(text));
    } catch { return false; } // not a process, or gone meanwhile
  }).map(Number);
}

// One chromium, in its own process group, with everything it writes under a fresh folder.
class Browser {
  #stderr = '';
  #closed;

  constructor(flags) {
    this.dir = mkdtempSync(join(tmpdir(), 'chromium-test-'));
    // crashpad's database follows XDG_CONFIG_HOME, so its handlers (which leave the process group)
    // can be recognised by dir; the temporary files a killed chromium leaves follow TMPDIR.
    this.child = spawn(CHROMIUM, [...flags, `--user-data-dir=${join(this.dir, 'profile')}`, 'about:blank'], {
      detached: true, stdio: ['ignore', 'ignore', 'pipe'],
      env: { ...process.env, XDG_CONFIG_HOME: join(this.dir, 'config'), TMPDIR: this.dir },
    });
    this.exited = new Promise((done) => this.child.once('exit', done).once('error', done));
    this.child.stderr.setEncoding('utf8').on('data', (text) => { this.#stderr = (this.#stderr + text).slice(-4000); });
    // Once its stdin closes, which the kernel does when node ends in any way (an uncaught error,
    // SIGKILL, a test runner's timeout), this shell kills chromium's process group and removes
    // dir, after crashpad's handlers have followed the browser out.
    this.watchdog = spawn('/bin/sh', ['-c', 'read _; kill -KILL -"$1"; sleep 1; rm -rf "$2"', 'watchdog', String(this.child.pid), this.dir], {
      detached: true, stdio: ['pipe', 'ignore', 'ignore'],
    });
  }

  stderrTail() { return this.#stderr.split('\n').slice(-15).join('\n'); }

  debuggingPort() {
    return new Promise((resolve, reject) => {
      const timer = setTimeout(() => reject(new Error(`chromium did not start within ${LAUNCH_TIMEOUT_MS} ms`)), LAUNCH_TIMEOUT_MS);
      const check = () => {
        const match = /DevTools listening on ws:\/\/[^:]+:(\d+)\//.exec(this.#stderr);
        if (!match) return;
        clearTimeout(timer);
        this.child.stderr.off('data', check);
        resolve(Number(match[1]));
      };
      this.child.stderr.on('data', check);
      this.exited.then((code) => { clearTimeout(timer); reject(new Error(`chromium ended (${code}) before listening`)); });
    });
  }

  async attach(target) {
    const ws = new WebSocket(target.webSocketDebuggerUrl);
    await new Promise((open, fail) => {
      ws.onopen = open;
      ws.onerror = () => fail(new Error(`cannot connect to ${target.webSocketDebuggerUrl}`));
    });
    const page = new Page(ws, this);
    await page.send('Page.enable');
    await page.send('Runtime.enable');
    return page;
  }

  close() {
    this.#closed ??= this.#close();
    return this.#closed;
  }

  async #close() {
    this.watchdog.kill('SIGKILL');
    try { process.kill(-this.child.pid, 'SIGKILL'); } catch { /* never started, or gone */ }
    await this.exited;
    const left = () => leftovers(this.child.pid, this.dir);
    for (let waited = 0; left().length && waited < 5000; waited += 50) await sleep(50);
    for (const pid of left()) process.kill(pid, 'SIGKILL');
    rmSync(this.dir, { recursive: true, force: true });
  }
}

function keyEvent(key) {
  if (/^[a-z]$/i.test(key)) return { key, code: `Key${key.toUpperCase()}`, keyCode: key.toUpperCase().charCodeAt(0), text: key };
  if (/^\d$/.test(key)) return { key, code: `Digit${key}`, keyCode: key.charCodeAt(0), text: key };
  const named = {
    Enter: { key, code: 'Enter', keyCode: 13, text: '\r' }, // a real Enter key types a carriage return
    ' ': { key, code: 'Space', keyCode: 32, text: ' ' },
    Escape: { key, code: 'Escape', keyCode: 27 },
  }[key];
  if (!named) throw new Error(`key(): no definition for ${JSON.stringify(key)}`);
  return named;
}

class Page {
  #ws; #browser; #nextId = 1;
  #calls = new Map(); // id -> { resolve, reject, method }
  #listeners = new Map(); // event name -> Set of functions
  #waiters = new Set(); // pending waitForEvent, failed at once if the connection drops
  consoleMessages = []; // { type, text }
  errors = []; // uncaught exceptions, console.error calls and dialogs, as text

  constructor(ws, browser) {
    this.#ws = ws;
    this.#browser = browser;
    ws.onmessage = ({ data }) => this.#receive(JSON.parse(data));
    ws.onclose = () => this.#disconnected();
    this.on('Runtime.consoleAPICalled', ({ type, args }) => {
      const text = args.map((arg) => arg.value ?? arg.description ?? arg.type).join(' ');
      this.consoleMessages.push({ type, text });
      if (type === 'error' || type === 'assert') this.errors.push(text);
    });
    this.on('Runtime.exceptionThrown', ({ exceptionDetails: details }) => {
      this.errors.push(details.exception?.description ?? details.text);
    });
    // An open alert() blocks every later evaluate: dismiss it, and count it as an error.
    this.on('Page.javascriptDialogOpening', ({ type, message }) => {
      this.errors.push(`${type} dialog: ${message}`);
      this.send('Page.handleJavaScriptDialog', { accept: false }).catch(() => {});
    });
  }

  #receive(message) {
    if (message.id === undefined) {
      for (const listener of this.#listeners.get(message.method) ?? []) listener(message.params);
      return;
    }
    const call = this.#calls.get(message.id);
    if (!call) return; // answered after its timeout
    this.#calls.delete(message.id);
    if (message.error) call.reject(new Error(`${call.method}: ${message.error.message}`));
    else call.resolve(message.result);
  }

  #disconnected() {
    const error = new Error(`chromium's DevTools connection closed; stderr ends with:\n${this.#browser.stderrTail()}`);
    for (const call of this.#calls.values()) call.reject(error);
    this.#calls.clear();
    for (const fail of this.#waiters) fail(error);
  }

  // A call that never returns (a page stuck in a loop) fails instead of hanging the test with
  // chromium running.
  send(method, params = {}) {
    if (this.#ws.readyState !== WebSocket.OPEN) return Promise.reject(new Error(`${method}: DevTools connection is closed`));
    const id = this.#nextId++;
    this.#ws.send(JSON.stringify({ id, method, params }));
    return new Promise((resolve, reject) => {
      const timer = setTimeout(() => {
        this.#calls.delete(id);
        reject(new Error(`${method}: no answer from chromium within ${CALL_TIMEOUT_MS} ms`));
      }, CALL_TIMEOUT_MS);
      const settle = (finish) => (value) => { clearTimeout(timer); finish(value); };
      this.#calls.set(id, { resolve: settle(resolve), reject: settle(reject), method });
    });
  }

  // Returns a function that removes the listener.
  on(event, fn) {
    if (!this.#listeners.has(event)) this.#listeners.set(event, new Set());
    this.#listeners.get(event).add(fn);
    return () => this.#listeners.get(event).delete(fn);
  }

  waitForEvent(name, predicate = () => true, timeoutMs = 10000) {
    return new Promise((resolve, reject) => {
      const finish = (error, params) => {
        clearTimeout(timer);
        off();
        this.#waiters.delete(finish);
        if (error) reject(error); else resolve(params);
      };
      const off = this.on(name, (params) => predicate(params) && finish(null, params));
      const timer = setTimeout(() => finish(new Error(`no ${name} event within ${timeoutMs} ms`)), timeoutMs);
      this.#waiters.add(finish);
    });
  }

  // Page.enable, needed for the load event, was sent on attaching.
  async goto(url, { timeoutMs = 30000 } = {}) {
    const loaded = this.waitForEvent('Page.loadEventFired', undefined, timeoutMs);
    loaded.catch(() => {}); // a failed navigation below is the error to report, not this
    const { errorText } = await this.send('Page.navigate', { url });
    if (errorText) throw new Error(`cannot open ${url}: ${errorText}`);
    await loaded;
  }

  async evaluate(expression) {
    const { result, exceptionDetails } = await this.send('Runtime.evaluate', { expression, awaitPromise: true, returnByValue: true });
    if (exceptionDetails) {
      const { exception, text } = exceptionDetails;
      throw new Error(`${expression} threw: ${exception?.description ?? exception?.value ?? text}`);
    }
    return result.value;
  }

  async waitFor(expression, { timeoutMs = 10000, intervalMs = 50 } = {}) {
    const deadline = Date.now() + timeoutMs;
    for (;;) {
      const value = await this.evaluate(expression);
      if (value) return value;
      if (Date.now() > deadline) throw new Error(`waitFor: ${expression} still ${JSON.stringify(value)} after ${timeoutMs} ms`);
      await sleep(intervalMs);
    }
  }

  addInitScript(source) {
    return this.send('Page.addScriptToEvaluateOnNewDocument', { source });
  }

  // x, y in CSS pixels of the viewport. `buttons` is what is held during the event: by default
  // the pressed button on a press, none on a release or a move.
  mouse(type, x, y, { button = 'left', buttons, modifiers = 0, clickCount } = {}) {
    buttons ??= type === 'mousePressed' ? BUTTON_BITS[button] : 0;
    clickCount ??= type === 'mouseMoved' ? 0 : 1;
    if (type === 'mouseMoved' && !buttons) button = 'none';
    return this.send('Input.dispatchMouseEvent', { type, x, y, button, buttons, modifiers, clickCount });
  }

  // pauseMs between moves lets the page's animation frames run, as between a real mouse's events.
  async drag(from, to, { modifiers = 0, steps = 8, pauseMs = 20, button = 'left' } = {}) {
    const held = { button, buttons: BUTTON_BITS[button], modifiers };
    await this.mouse('mouseMoved', from.x, from.y, { modifiers });
    await this.mouse('mousePressed', from.x, from.y, held);
    for (let step = 1; step <= steps; step++) {
      await sleep(pauseMs);
      const t = step / steps;
      await this.mouse('mouseMoved', from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t, held);
    }
    await sleep(pauseMs);
    await this.mouse('mouseReleased', to.x, to.y, { button, modifiers });
  }

  wheel(x, y, deltaY, { deltaX = 0 } = {}) {
    return this.send('Input.dispatchMouseEvent', { type: 'mouseWheel', x, y, deltaX, deltaY });
  }

  // Types one key: keyDown (with the text a real key would produce, which makes the keypress),
  // then keyUp. With Ctrl, Alt or Meta held a real key types no text, so none is sent.
  async key(name, { modifiers = 0 } = {}) {
    const { key, code, keyCode, text } = keyEvent(name);
    const typed = modifiers & (Modifiers.Ctrl | Modifiers.Alt | Modifiers.Meta) ? undefined : text;
    const event = { key, code, windowsVirtualKeyCode: keyCode, nativeVirtualKeyCode: keyCode, modifiers };
    // rawKeyDown is the keyDown of a key that types nothing; keyDown with text also types it.
    await this.send('Input.dispatchKeyEvent', typed ? { ...event, type: 'keyDown', text: typed, unmodifiedText: typed } : { ...event, type: 'rawKeyDown' });
    await this.send('Input.dispatchKeyEvent', { ...event, type: 'keyUp' });
  }

  // clip in CSS pixels; the image comes at device pixels.
  async screenshot(clip) {
    const { data } = await this.send('Page.captureScreenshot', {
      format: 'png', captureBeyondViewport: false, ...(clip && { clip: { ...clip, scale: 1 } }),
    });
    return decodePng(Buffer.from(data, 'base64'));
  }

  // Touch points in CSS pixels of the viewport, every finger down in each
  // event; chromium makes pointer events of type touch from them.
  touch(type, points) {
    return this.send('Input.dispatchTouchEvent', { type, touchPoints: points });
  }

  // A finger put down at `from` (held still for holdMs), moved to `to` and
  // lifted; `resting` fingers stay down throughout.
  async touchDrag(from, to, { holdMs = 0, steps = 8, pauseMs = 20, resting = [] } = {}) {
    await this.touch('touchStart', [from, ...resting]);
    await sleep(holdMs || pauseMs);
    for (let step = 1; step <= steps; step++) {
      const t = step / steps;
      await this.touch('touchMove', [{ x: from.x + (to.x - from.x) * t, y: from.y + (to.y - from.y) * t }, ...resting]);
      await sleep(pauseMs);
    }
    await this.touch('touchEnd', []);
  }

  // A phone: a mobile viewport with touch and a coarse pointer. Call again
  // with the sides swapped to turn it.
  async emulatePhone({ width, height, deviceScaleFactor, landscape = false }) {
    await this.send('Emulation.setDeviceMetricsOverride', {
      width, height, deviceScaleFactor, mobile: true,
      screenOrientation: landscape ? { type: 'landscapePrimary', angle: 90 } : { type: 'portraitPrimary', angle: 0 },
    });
    await this.send('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 5 });
    await this.send('Emulation.setEmulatedMedia', {
      features: [{ name: 'pointer', value: 'coarse' }, { name: 'hover', value: 'none' }],
    });
  }

  setDeviceMetrics({ width, height, deviceScaleFactor }) {
    return this.send('Emulation.setDeviceMetricsOverride', { width, height, deviceScaleFactor, mobile: false });
  }

  async close() {
    this.#ws.close();
    await this.#browser.close();
  }
}
