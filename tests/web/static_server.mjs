// A static file server for a built web folder, on a free port of 127.0.0.1.
import { createServer } from 'node:http';
import { realpathSync } from 'node:fs';
import { readFile, realpath, stat } from 'node:fs/promises';
import { extname, join, resolve, sep } from 'node:path';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm', // streaming compilation refuses any other type
  '.css': 'text/css; charset=utf-8',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
  '.ico': 'image/x-icon',
  '.txt': 'text/plain; charset=utf-8',
};

// The file a URL path names, or null when it is not a servable file under root.
async function fileFor(root, urlPath) {
  let path;
  try { path = decodeURIComponent(urlPath); } catch { return null; }
  if (path.includes('\0') || path.split(/[/\\]/).includes('..')) return null;
  let file = resolve(root, '.' + path);
  if ((await stat(file).catch(() => null))?.isDirectory()) file = join(file, 'index.html');
  file = await realpath(file).catch(() => null); // a symlink must not lead out of root either
  if (!file?.startsWith(root + sep) || !TYPES[extname(file)]) return null;
  return (await stat(file).catch(() => null))?.isFile() ? file : null;
}

// On a free port unless one is given.
export function serve(folder, { port = 0 } = {}) {
  const root = realpathSync(folder);
  const server = createServer(async (request, response) => {
    if (request.method !== 'GET' && request.method !== 'HEAD') {
      response.writeHead(405, { Allow: 'GET, HEAD' }).end();
      return;
    }
    // A path that is no URL's path ("//x") names no file.
    const path = URL.canParse(request.url, 'http://localhost') && new URL(request.url, 'http://localhost').pathname;
    const file = path && await fileFor(root, path);
    const body = file && await readFile(file).catch(() => null);
    if (!body) {
      response.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found\n');
      return;
    }
    response.writeHead(200, {
      'Content-Type': TYPES[extname(file)],
      'Content-Length': body.length,
      'Cache-Control': 'no-cache', // a rebuilt site must never be mixed with a cached older file
    });
    response.end(request.method === 'HEAD' ? undefined : body);
  });
  return new Promise((done, fail) => {
    server.once('error', fail);
    server.listen(port, '127.0.0.1', () => done({
      url: `http://127.0.0.1:${server.address().port}/`,
      close: () => new Promise((closed) => { server.closeAllConnections(); server.close(closed); }),
    }));
  });
}
