// The page watching a recording, beside the Linux replay driver: scripts/busiest.replay (with
// the end line the driver gives it) is watched in headless Chromium at the game's pace, the
// page hands over frames 5, 600 and 1300 read inside the game before their swaps, and each is
// compared with the driver's screenshot of the same frame (xvfb-run, llvmpipe); the game's last
// state must be the driver's to the byte, and the page must say it reached the recording's end.
// Then files dropped on the page: one whose end line is not the game's is told so, and one that
// is no recording at all gets a message instead of a game.
//
//   node tests/web/pictures.js BUILD_WEB_DIR NATIVE_BUILD_DIR
// The pairs are saved side by side (the driver's, the page's, their difference ten times over)
// in BUILD_WEB_DIR/../pictures/.
'use strict';

const childProcess = require('child_process');
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const zlib = require('zlib');
const {chromium} = require('playwright-core');

const root = path.resolve(__dirname, '..', '..');
const shots = [5, 600, 1300];

// Two rasterisers draw the same triangles: llvmpipe, and SwiftShader under Chromium's WebGL,
// round colours, texture coordinates and the pixels on a polygon's edge each their own way.
// Measured on the three frames: a third to a half of the pixels differ at all, nearly all of
// them by 1 or 2 of 255; by more than 8 in some channel, 0.01% (frames 5 and 600) to 0.03%
// (frame 1300), a few edge pixels of the HUD's glyphs and of the flames. Faults planted in
// platform/webgl moved far more pixels past 8: light 1, which the game never enables, counted
// anyway, 0.96%, 33% and 47%; the texture's t coordinate flipped, 30%, 58% and 62%. So a pixel
// counts as different past 8 in any channel, and a frame fails past 0.5% of them: more than
// ten times what the rasterisers leave, half of the faintest fault.
const channelBound = 8;
const shareBound = 0.005;

function fail(message) {
  console.error('pictures: ' + message);
  process.exit(1);
}

// PNG, as far as the driver writes it and the page's bytes need: 8-bit RGB or RGBA, not
// interlaced.
const crcTable = new Int32Array(256).map((_, n) => {
  let c = n;
  for (let k = 0; k < 8; ++k)
    c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  return c;
});

function crc32(bytes) {
  let c = -1;
  for (const b of bytes)
    c = crcTable[(c ^ b) & 0xff] ^ (c >>> 8);
  return (c ^ -1) >>> 0;
}

function readPng(file) {
  const data = fs.readFileSync(file);
  let at = 8, width = 0, height = 0, channels = 0;
  const packed = [];
  while (at < data.length) {
    const length = data.readUInt32BE(at);
    const type = data.toString('latin1', at + 4, at + 8);
    const body = data.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      channels = {2: 3, 6: 4}[body[9]];
      if (body[8] !== 8 || !channels || body[12] !== 0)
        fail(file + ': not an 8-bit RGB or RGBA picture');
    } else if (type === 'IDAT') {
      packed.push(body);
    }
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(packed));
  const stride = width * channels;
  const rgb = Buffer.alloc(width * height * 3);
  let previous = Buffer.alloc(stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    for (let i = 0; i < stride; ++i) {
      const a = i >= channels ? line[i - channels] : 0, b = previous[i];
      const c = i >= channels ? previous[i - channels] : 0;
      let predicted = 0;
      if (filter === 1) predicted = a;
      else if (filter === 2) predicted = b;
      else if (filter === 3) predicted = (a + b) >> 1;
      else if (filter === 4) {
        const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
        predicted = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      line[i] = (line[i] + predicted) & 0xff;
    }
    for (let x = 0; x < width; ++x)
      line.copy(rgb, (y * width + x) * 3, x * channels, x * channels + 3);
    previous = line;
  }
  return {width, height, rgb};
}

function writePng(file, width, height, rgb) {
  const raw = Buffer.alloc((width * 3 + 1) * height);
  for (let y = 0; y < height; ++y)
    rgb.copy(raw, y * (width * 3 + 1) + 1, y * width * 3, (y + 1) * width * 3);
  const chunk = (type, body) => {
    const head = Buffer.alloc(8);
    head.writeUInt32BE(body.length, 0);
    head.write(type, 4, 'latin1');
    const tail = Buffer.alloc(4);
    tail.writeUInt32BE(crc32(Buffer.concat([head.subarray(4), body])), 0);
    return Buffer.concat([head, body, tail]);
  };
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header[8] = 8;
  header[9] = 2;
  fs.writeFileSync(file, Buffer.concat([Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]),
    chunk('IHDR', header), chunk('IDAT', zlib.deflateSync(raw)), chunk('IEND', Buffer.alloc(0))]));
}

// The page's bytes: RGBA rows from the bottom, as WebGL reads them; turned into the driver's
// RGB rows from the top.
function pagePicture(picture) {
  const rgba = Buffer.from(picture.rgba, 'base64');
  const {width, height} = picture;
  const rgb = Buffer.alloc(width * height * 3);
  for (let y = 0; y < height; ++y)
    for (let x = 0; x < width; ++x)
      rgba.copy(rgb, (y * width + x) * 3, ((height - 1 - y) * width + x) * 4, ((height - 1 - y) * width + x) * 4 + 3);
  return {width, height, rgb};
}

// The share of pixels past the bound, and the three pictures side by side.
function compare(native, page) {
  const {width, height} = native;
  const side = Buffer.alloc(width * 3 * height * 3);
  let beyond = 0;
  for (let y = 0; y < height; ++y) {
    for (let x = 0; x < width; ++x) {
      const at = (y * width + x) * 3;
      const row = y * width * 3 * 3;
      let most = 0;
      for (let c = 0; c < 3; ++c) {
        const difference = Math.abs(native.rgb[at + c] - page.rgb[at + c]);
        most = Math.max(most, difference);
        side[row + x * 3 + c] = native.rgb[at + c];
        side[row + (width + x) * 3 + c] = page.rgb[at + c];
        side[row + (2 * width + x) * 3 + c] = Math.min(255, difference * 10);
      }
      if (most > channelBound)
        ++beyond;
    }
  }
  return {share: beyond / (width * height), side};
}

// The page's folder, and the recordings the test hands it, from a server of its own.
function serve(webDir, extra) {
  const types = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
                 '.wasm': 'application/wasm'};
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://here').pathname).replace(/^\/+/, '');
    const body = extra[name] !== undefined ? Buffer.from(extra[name])
      : !name.includes('..') && fs.existsSync(path.join(webDir, name || 'index.html'))
        ? fs.readFileSync(path.join(webDir, name || 'index.html')) : null;
    if (!body) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, {'Content-Type': types[path.extname(name || '.html')] || 'application/octet-stream'});
    response.end(body);
  });
  return new Promise(resolve => server.listen(0, '127.0.0.1', () => resolve(server)));
}

async function watched(page, timeout) {
  await page.waitForFunction(() => window.trimvaldWatched !== undefined, null, {timeout});
  return {outcome: await page.evaluate(() => window.trimvaldWatched),
          text: await page.textContent('#ended-text')};
}

// A file dropped on the page, as the browser hands it over.
async function drop(page, name, text) {
  await page.evaluate(([name, text]) => {
    const transfer = new DataTransfer();
    transfer.items.add(new File([text], name));
    document.body.dispatchEvent(new DragEvent('drop', {dataTransfer: transfer, bubbles: true, cancelable: true}));
  }, [name, text]);
  await page.waitForURL(/dropped=/);
}

async function main() {
  const [webDir, nativeDir] = process.argv.slice(2).map(dir => dir && path.resolve(dir));
  if (!webDir || !nativeDir)
    fail('usage: node tests/web/pictures.js BUILD_WEB_DIR NATIVE_BUILD_DIR');
  const replay = path.join(nativeDir, 'trimvald-replay');
  for (const needed of [path.join(webDir, 'index.html'), path.join(webDir, 'trimvald.wasm'), replay])
    if (!fs.existsSync(needed))
      fail(needed + ' is missing: build the page (scripts/web.sh) and the native driver first');
  const out = path.join(webDir, '..', 'pictures');
  fs.mkdirSync(out, {recursive: true});

  // The driver's pictures and last state, drawn by llvmpipe in a virtual X server.
  const script = path.join(root, 'scripts', 'busiest.replay');
  const args = ['-a', replay, '--dump', 'last', ...shots.flatMap(n => ['--shot', `${n}:${path.join(out, `native-${n}.png`)}`]), script];
  const run = childProcess.spawnSync('xvfb-run', args, {encoding: 'utf8', timeout: 300000,
    env: {...process.env, LIBGL_ALWAYS_SOFTWARE: '1', SDL_AUDIODRIVER: 'dummy'}});
  const nativeLast = (run.stdout || '').split('\n').find(line => line.startsWith('{"frame"'));
  if (run.status !== 0 || !nativeLast)
    fail(`the replay driver failed (${run.status}): ${run.stderr}`);

  const recording = fs.readFileSync(script, 'utf8') + '# end ' + nativeLast + '\n';
  const wrongEnd = 'frames 30\n# end ' + nativeLast + '\n';
  const server = await serve(webDir, {'busiest.replay': recording});
  const base = `http://127.0.0.1:${server.address().port}/`;
  const browser = await chromium.launch({executablePath: '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--use-gl=angle', '--use-angle=swiftshader',
           '--enable-unsafe-swiftshader']});
  const faults = [];
  try {
    const page = await browser.newPage({viewport: {width: 1024, height: 800}});
    const consoleLines = [];
    page.on('console', message => consoleLines.push(message.text()));
    page.on('pageerror', error => faults.push('the page threw: ' + error.message));

    await page.goto(base + 'index.html?watch=busiest.replay&shots=' + shots.join(','));
    const busiest = await watched(page, 300000);
    const pictures = await page.evaluate(() => window.trimvaldPictures);
    if (!busiest.outcome.reached)
      faults.push('the page did not reach the recording\'s end: ' + JSON.stringify(busiest));
    if (!consoleLines.includes(nativeLast))
      faults.push('the page\'s last state is not the driver\'s:\n  driver: ' + nativeLast + '\n  page:   ' +
                  JSON.stringify(busiest.outcome.lastDump));
    for (const frame of shots) {
      if (!pictures[frame]) {
        faults.push(`the page handed over no picture of frame ${frame}`);
        continue;
      }
      const native = readPng(path.join(out, `native-${frame}.png`));
      const mine = pagePicture(pictures[frame]);
      if (mine.width !== native.width || mine.height !== native.height) {
        faults.push(`frame ${frame}: the page's picture is ${mine.width}x${mine.height}, the driver's ` +
                    `${native.width}x${native.height}`);
        continue;
      }
      const {share, side} = compare(native, mine);
      const file = path.join(out, `frame-${frame}.png`);
      writePng(file, native.width * 3, native.height, side);
      const said = `frame ${frame}: ${(share * 100).toFixed(2)}% of the pixels differ by more than ${channelBound}`;
      console.log(said + ` (${file})`);
      if (share > shareBound)
        faults.push(said + `, more than ${shareBound * 100}%`);
    }

    // Dropped files: a script whose end line is not where it ends, and a picture.
    await drop(page, 'wrong-end.replay', wrongEnd);
    const wrong = await watched(page, 60000);
    if (wrong.outcome.reached !== false || !/не к записанному концу/.test(wrong.text))
      faults.push('a dropped recording with another end was not told so: ' + JSON.stringify(wrong));
    await drop(page, 'picture.png', fs.readFileSync(path.join(out, 'native-5.png')).toString('latin1'));
    const foreign = await watched(page, 60000);
    if (!foreign.outcome.error || !/нельзя посмотреть/.test(foreign.text))
      faults.push('a dropped picture was not refused with a message: ' + JSON.stringify(foreign));
  } finally {
    await browser.close();
    server.close();
  }
  if (faults.length)
    fail(faults.join('\n'));
  console.log('pictures: the page draws and ends the watched recording as the driver does');
}

main().catch(error => fail(error.stack || String(error)));
