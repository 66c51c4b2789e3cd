// What the browser runs share: the page's folder served on 127.0.0.1 by a small server of our own
// (it also counts what the page loads), Debian's Chromium started headless with WebGL through
// SwiftShader, and the way a run says what it checks and fails.
'use strict';

const fs = require('fs');
const http = require('http');
const path = require('path');
const { chromium } = require('playwright-core');

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8', '.wasm': 'application/wasm', '.data': 'application/octet-stream',
  '.txt': 'text/plain; charset=utf-8',
};

// Serves `folder` on a free port; `served` lists every file sent, with its bytes, in order.
function serve(folder) {
  const served = [];
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname).replace(/^\/+/, '') || 'index.html';
    const file = path.join(folder, name);
    if (!file.startsWith(path.resolve(folder) + path.sep)) {
      response.writeHead(403).end();
      return;
    }
    fs.readFile(file, (error, bytes) => {
      if (error) {
        response.writeHead(404).end();
        return;
      }
      served.push({ name, bytes });
      response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream',
                                'Cache-Control': 'no-store' });
      response.end(bytes);
    });
  });
  return new Promise((resolve, reject) => {
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => resolve({
      url: `http://127.0.0.1:${server.address().port}/`,
      served,
      close: () => new Promise(done => { server.closeAllConnections(); server.close(done); }),
    }));
  });
}

// Debian's Chromium, headless, drawing WebGL with SwiftShader, with nothing of its own on the
// network. Never one that a tool would download. The page is composited in software
// (--disable-gpu) unless `swiftShaderCompositing` asks for the compositor on SwiftShader too.
function launch(swiftShaderCompositing = false) {
  return chromium.launch({
    executablePath: process.env.TRIMVALD_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    timeout: 30000,
    args: [...(swiftShaderCompositing ? [] : ['--disable-gpu']), '--no-sandbox', '--disable-quic',
      '--no-first-run', '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--use-gl=angle', '--use-angle=swiftshader', '--enable-unsafe-swiftshader'],
  });
}

class Failure extends Error {}

// A check: said when it holds (with what was seen), the run's end when it does not.
function check(holds, what, detail) {
  if (!holds)
    throw new Failure(what + (detail === undefined ? '' : ': ' + detail));
  console.log('ok   ' + what + (detail === undefined || detail === '' ? '' : ` (${detail})`));
}

// Runs `body`, with everything it starts closed at the end, within `seconds` whatever happens;
// exits 0 when every check held, 1 with the failure's reason otherwise.
async function run(name, seconds, body) {
  const open = [];
  const keep = thing => { open.push(thing); return thing; };
  const watchdog = setTimeout(() => {
    console.error(`${name}: FAILED: not done within ${seconds} s`);
    process.exit(1);
  }, seconds * 1000);
  let code = 0;
  try {
    await body(keep);
    console.log(`${name}: every check held`);
  } catch (error) {
    console.error(`${name}: FAILED: ${error instanceof Failure ? error.message : error.stack || error}`);
    code = 1;
  }
  for (const thing of open.reverse())
    await Promise.race([thing.close().catch(() => {}), new Promise(done => setTimeout(done, 10000))]);
  clearTimeout(watchdog);
  process.exit(code);
}

module.exports = { serve, launch, check, run, Failure };
