// The browser build played end to end in headless Chromium, as a player plays it: the start
// question, the title, a level, walking, mouse look under pointer lock, a cast, a pause, the
// controller, the cues reaching Web Audio, F1 and the page's end, and the recording the page
// offers, checked by the native replay driver. Before it, the start question declined, and the
// page's messages where the game cannot come.
//   node tests/web/play.js BUILD_WEB NATIVE_BUILD
// BUILD_WEB is the page's folder (build/web), NATIVE_BUILD a Linux build with trimvald-replay
// and Data/ (build/play). Prints each check; exits 1 on the first that fails.
'use strict';

const { spawnSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { serve, launch, check, run, Failure } = require('./chromium');

const [pageFolder, nativeBuild] = process.argv.slice(2).map(folder => folder && path.resolve(folder));
if (!pageFolder || !nativeBuild) {
  console.error('usage: node tests/web/play.js BUILD_WEB NATIVE_BUILD');
  process.exit(2);
}
for (const needed of [path.join(pageFolder, 'index.html'), path.join(pageFolder, 'trimvald.wasm'),
                      path.join(nativeBuild, 'trimvald-replay'), path.join(nativeBuild, 'Data')])
  if (!fs.existsSync(needed)) {
    console.error(`play.js: ${needed} is missing (scripts/web.sh builds both)`);
    process.exit(2);
  }

// Before the page's own script: every cue the page starts is counted with the audio context's
// state then, the mouse's motion under pointer lock is summed, and the Gamepad API gives one standard-mapping pad whose sticks and buttons the
// test sets (window.testPad; none while it is null).
function pageWatch() {
  window.testCues = [];
  window.testGestures = 0;
  for (const type of ['keydown', 'mousedown'])
    addEventListener(type, () => { window.testGestures++; }, true);
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (...args) {
    window.testCues.push({ state: this.context.state, gestures: window.testGestures });
    return start.apply(this, args);
  };
  window.testMotion = [0, 0];
  addEventListener('mousemove', event => {
    if (document.pointerLockElement) {
      window.testMotion[0] += event.movementX;
      window.testMotion[1] += event.movementY;
    }
  }, true);
  window.testPad = null;
  Object.defineProperty(navigator, 'getGamepads', { configurable: true, value: () => {
    const pad = window.testPad;
    if (!pad)
      return [null, null, null, null];
    return [{ id: 'Test pad (STANDARD GAMEPAD)', index: 0, connected: true, mapping: 'standard',
              timestamp: performance.now(), axes: pad.axes.slice(),
              buttons: pad.buttons.map(value => ({ pressed: value > 0.5, touched: value > 0, value })) },
            null, null, null];
  } });
}

const sleep = milliseconds => new Promise(done => setTimeout(done, milliseconds));

async function newPage(browser, keep) {
  const context = keep(await browser.newContext({ acceptDownloads: true, viewport: { width: 800, height: 700 } }));
  await context.addInitScript(pageWatch);
  const page = await context.newPage();
  page.setDefaultTimeout(20000);
  const errors = [];
  page.on('pageerror', error => errors.push(error.message));
  page.on('console', message => {
    if (message.type() === 'error' && !/^Failed to load resource/.test(message.text()))
      errors.push(message.text());
  });
  page.on('response', response => {
    if (response.status() >= 400)
      errors.push(`${response.url()}: ${response.status()}`);
  });
  return { page, errors };
}

// The start question: a modal dialog with the game's text and buttons, the default one focused.
async function startQuestion(page) {
  await page.waitForSelector('#box[open]', { timeout: 30000 });
  const box = await page.evaluate(() => ({
    modal: document.getElementById('box').matches(':modal'),
    text: document.getElementById('box-text').textContent,
    buttons: [...document.querySelectorAll('#box-buttons button')].map(button => button.textContent),
    focused: document.activeElement && document.activeElement.textContent,
  }));
  check(box.modal, 'the start question is a modal <dialog>');
  check(box.text === 'Хотите запустить игру Тримвальд ?', 'it asks the game\'s start question', box.text);
  check(JSON.stringify(box.buttons) === '["Да","Нет"]', 'its buttons are Да and Нет', box.buttons);
  check(box.focused === 'Да', 'Да, the default, has the focus', box.focused);
}

// The canvas as shown, read back from a screenshot: the share of pixels brighter than black and
// the mean colour.
async function canvasPixels(page) {
  const png = await page.locator('#canvas').screenshot({ timeout: 10000 });
  return page.evaluate(async data => {
    const image = new Image();
    image.src = 'data:image/png;base64,' + data;
    await image.decode();
    const scratch = document.createElement('canvas');
    scratch.width = image.width;
    scratch.height = image.height;
    const context = scratch.getContext('2d');
    context.drawImage(image, 0, 0);
    const { data: rgba } = context.getImageData(0, 0, image.width, image.height);
    let lit = 0;
    const sum = [0, 0, 0];
    for (let i = 0; i < rgba.length; i += 4) {
      if (Math.max(rgba[i], rgba[i + 1], rgba[i + 2]) > 48)
        lit++;
      for (let c = 0; c < 3; c++)
        sum[c] += rgba[i + c];
    }
    const count = rgba.length / 4;
    return { width: image.width, height: image.height, lit: lit / count, mean: sum.map(s => s / count) };
  }, png.toString('base64'));
}

// Waits until `test` holds of the canvas's pixels; returns the last reading.
async function waitForPixels(page, test, seconds) {
  const until = Date.now() + seconds * 1000;
  let pixels;
  do {
    pixels = await canvasPixels(page);
    if (test(pixels))
      return pixels;
    await sleep(250);
  } while (Date.now() < until);
  return pixels;
}

// Holds a key for about `milliseconds`.
async function hold(page, key, milliseconds) {
  await page.keyboard.down(key);
  await sleep(milliseconds);
  await page.keyboard.up(key);
}

// The recording's frames, one entry a frame: its keys and mouse motion.
function recordedFrames(text) {
  const frames = [];
  for (const line of text.split('\n')) {
    const words = line.replace(/#.*/, '').trim().split(/\s+/);
    if (words[0] !== 'frames')
      continue;
    const at = words.indexOf('mouse');
    const keys = words.slice(2, at < 0 ? undefined : at);
    const mouse = at < 0 ? [0, 0] : [Number(words[at + 1]), Number(words[at + 2])];
    for (let i = 0; i < Number(words[1]); i++)
      frames.push({ keys, mouse });
  }
  return frames;
}

// The native replay driver in the native build (where Data/ is), with a time limit.
function replay(args) {
  const done = spawnSync(path.join(nativeBuild, 'trimvald-replay'), args, {
    cwd: nativeBuild, encoding: 'utf8', timeout: 120000, maxBuffer: 1 << 28,
    env: Object.assign({}, process.env, { SDL_AUDIODRIVER: 'dummy' }) });
  if (done.error)
    throw new Failure(`trimvald-replay ${args.join(' ')}: ${done.error.message}`);
  return done;
}

// The recording the page offered: checked by the native driver, and its frames show what was
// done, in order, with the game's state answering each (the driver's dump of every frame).
function checkRecording(file, cuesHeard, motion) {
  const text = fs.readFileSync(file, 'utf8');
  const checked = replay(['--check', file]);
  check(checked.status === 0, 'the recording passes trimvald-replay --check',
        `exit ${checked.status}: ${checked.stdout.trim()} ${checked.stderr.trim()}`);
  const dumped = replay(['--dump', 'every', file]);
  check(dumped.status === 0, 'trimvald-replay dumps every frame of it', `exit ${dumped.status}`);
  const states = [];
  let exit = null;
  for (const line of dumped.stdout.split('\n').filter(Boolean)) {
    const record = JSON.parse(line);
    if (record.frame !== undefined && record.drawn !== undefined)
      states[record.frame] = record;
    if (record.exit !== undefined)
      exit = record;
  }
  const frames = recordedFrames(text);
  check(exit && exit.exit === 0 && exit.frames === frames.length,
        'the game played to its end with code 0, every recorded frame', JSON.stringify(exit));

  // The spans of frames in which a key was held, or the mouse moved, in order.
  const spans = [];
  frames.forEach((frame, i) => {
    const what = frame.keys.join('+') + (frame.mouse[0] || frame.mouse[1] ? ' mouse' : '');
    const last = spans[spans.length - 1];
    if (last && last.what === what && last.end === i)
      last.end = i + 1;
    else
      spans.push({ what, start: i, end: i + 1 });
  });
  // State before frame i (1-based frames in the dump: frame i + 1 is the recording's frame i).
  const before = i => states[i] || null;
  const after = i => states[i + 1];
  let from = 0;
  const next = (test, what) => {
    const found = spans.findIndex((span, index) => index >= from && test(span));
    check(found >= 0, `the recording then shows ${what}`, found >= 0
      ? `frames ${spans[found].start + 1} to ${spans[found].end}`
      : 'what follows: ' + spans.slice(from).map(span => `${span.what || '-'}x${span.end - span.start}`).join(' '));
    from = found + 1;
    return spans[found];
  };
  const moved = (a, b) => a.playerX !== b.playerX || a.playerZ !== b.playerZ;

  const started = next(span => span.what === 'ENTER', 'Enter on the title');
  check(after(started.start).gameRunning === 1, 'Enter started a game', `level ${after(started.start).difficulty}`);
  const walked = next(span => span.what === 'W', 'W held (walking)');
  check(moved(before(walked.start), after(walked.end - 1)), 'W walked the player',
        `z ${before(walked.start).playerZ} -> ${after(walked.end - 1).playerZ}`);
  const look = next(span => span.what.endsWith('mouse'), 'mouse motion');
  check(before(look.start).yaw !== after(look.end - 1).yaw, 'the mouse turned the view',
        `yaw ${before(look.start).yaw} -> ${after(look.end - 1).yaw}`);
  const recorded = frames.reduce((sum, frame) => [sum[0] + frame.mouse[0], sum[1] + frame.mouse[1]], [0, 0]);
  check(recorded.join() === motion.join(), 'the game turned by the motion the page saw, no more, no less',
        `page ${motion}, game ${recorded}`);
  const cast = next(span => span.what === 'E', 'E (the click cast)');
  check(after(cast.start).ammo[0] === before(cast.start).ammo[0] - 1, 'the click cast a spell',
        `charges ${before(cast.start).ammo[0]} -> ${after(cast.start).ammo[0]}`);
  const paused = next(span => span.what === 'ESC', 'Escape');
  check(after(paused.start).gameRunning === 0, 'Escape paused the game');
  const resumed = next(span => span.what === 'ENTER', 'Enter after the pause');
  check(after(resumed.start).gameRunning === 1, 'Enter went on with the game');
  const padWalk = next(span => span.what === 'W', 'W from the controller\'s stick');
  check(moved(before(padWalk.start), after(padWalk.end - 1)), 'the controller walked the player',
        `z ${before(padWalk.start).playerZ} -> ${after(padWalk.end - 1).playerZ}`);
  next(span => span.what === 'F1', 'F1');

  // Every cue the game played once a key or click had let sound start reached Web Audio.
  const played = states.filter(Boolean).reduce((sum, state) => sum + state.sounds.filter(Boolean).length, 0);
  check(cuesHeard === played, 'each of the game\'s cues started a Web Audio source',
        `${cuesHeard} started, the game played ${played}`);
}

// One round with most of it: question, title, level, walk, look, cast, pause, controller,
// cues, F1, the recording, another round offered.
async function round(browser, keep, url) {
  console.log('-- a round, recorded');
  const { page, errors } = await newPage(browser, keep);
  await page.goto(url + 'index.html?record');
  await startQuestion(page);
  check(await page.evaluate(() => window.testCues.length) === 0, 'no cue started before the player\'s first key');
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => !document.getElementById('box').open && !document.getElementById('canvas').hidden);

  // The title panel slides in over the arena: most of the picture lit, with the emblem's
  // violet above green.
  const title = await waitForPixels(page, pixels => pixels.lit > 0.5, 15);
  check(title.width === 800 && title.height === 600, 'the canvas shows 800x600', `${title.width}x${title.height}`);
  check(title.lit > 0.5 && title.mean[2] > title.mean[1], 'the title panel is drawn',
        `${(title.lit * 100).toFixed(0)}% lit, mean colour ${title.mean.map(Math.round)}`);

  await hold(page, 'Enter', 100);
  await sleep(1500);
  await page.mouse.click(400, 300);
  await page.waitForFunction(() => document.pointerLockElement === document.getElementById('canvas'),
                             null, { timeout: 5000 }).catch(() => {});
  check(await page.evaluate(() => document.pointerLockElement && document.pointerLockElement.id) === 'canvas',
        'a click on the game locks the pointer to the canvas');
  await hold(page, 'w', 800);
  await sleep(200);
  for (let i = 0; i < 10; i++) {
    await page.mouse.move(400 + 20 * (i + 1), 300);
    await sleep(30);
  }
  await sleep(300);
  await page.mouse.down();
  await sleep(100);
  await page.mouse.up();
  await sleep(500);
  await hold(page, 'Escape', 100);
  await sleep(500);
  await hold(page, 'Enter', 100);
  await sleep(500);
  await page.evaluate(() => {
    window.testPad = { axes: [0, -1, 0, 0], buttons: new Array(17).fill(0) };
  });
  await sleep(800);
  await page.evaluate(() => { window.testPad.axes[1] = 0; });
  await sleep(300);
  await hold(page, 'F1', 100);

  await page.waitForSelector('#ended:not([hidden])', { timeout: 10000 });
  const ended = await page.evaluate(() => ({
    text: document.getElementById('ended-text').textContent, code: window.trimvaldEnded,
    canvas: document.getElementById('canvas').hidden, locked: !!document.pointerLockElement,
    again: document.activeElement && document.activeElement.id,
    cues: window.testCues, motion: window.testMotion,
  }));
  check(ended.code === 0 && ended.text === 'Игра окончена.', 'F1 ended the game and the page says so', ended.text);
  check(ended.canvas && !ended.locked, 'the game is gone and the pointer is the player\'s again');
  check(ended.again === 'again', 'the page offers another round (its button has the focus)', ended.again);
  check(ended.cues.length > 0 && ended.cues.every(cue => cue.state === 'running' && cue.gestures > 0),
        'the cues play once the player has pressed a key', JSON.stringify(ended.cues));
  check(errors.length === 0, 'the page reported no error', errors.join(' | '));

  await page.waitForSelector('#download:not([hidden])', { timeout: 5000 });
  const [download] = await Promise.all([page.waitForEvent('download', { timeout: 10000 }), page.click('#recording')]);
  const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'trimvald-web-')), 'round.replay');
  await download.saveAs(file);
  check(/^trimvald-\d{8}-\d{6}\.replay$/.test(download.suggestedFilename()), 'the recording is offered as a download',
        `${download.suggestedFilename()}, saved as ${file}`);
  checkRecording(file, ended.cues.length, ended.motion);

  await page.click('#again');
  await startQuestion(page);
  console.log('   (another round starts with the start question again)');
}

// Escape on the start question answers Нет: the game ends at once and the page says so.
async function declined(browser, keep, url) {
  console.log('-- the start question declined');
  const { page, errors } = await newPage(browser, keep);
  await page.goto(url + 'index.html');
  await startQuestion(page);
  await page.keyboard.press('Escape');
  await page.waitForSelector('#ended:not([hidden])', { timeout: 10000 });
  const ended = await page.evaluate(() => ({
    text: document.getElementById('ended-text').textContent, code: window.trimvaldEnded,
    open: document.getElementById('box').open, offered: !document.getElementById('download').hidden,
  }));
  check(!ended.open && ended.code === 0 && ended.text === 'Игра окончена.',
        'Escape answered Нет and the page says the game ended', JSON.stringify(ended));
  check(!ended.offered, 'no recording is offered when none was asked for');
  check(errors.length === 0, 'the page reported no error', errors.join(' | '));
}

// What the page says where the game cannot come: opened from the disk, a file of the game's
// that does not come, no WebGL. Each ends in the page's message, not in a page that loads for
// ever.
async function cannotPlay(browser, keep, url) {
  console.log('-- where the game cannot come');
  const context = keep(await browser.newContext());
  const said = async (page, address) => {
    await page.goto(address);
    await page.waitForSelector('#failed:not([hidden])', { timeout: 15000 });
    return page.evaluate(() => ({ text: document.getElementById('failed-text').textContent,
                                  loading: !document.getElementById('status').hidden }));
  };
  const fromDisk = await said(await context.newPage(), 'file://' + path.join(pageFolder, 'index.html'));
  check(/с диска/.test(fromDisk.text) && /веб-сервера/.test(fromDisk.text) && !fromDisk.loading,
        'opened from the disk, the page says to serve it', fromDisk.text);
  const cut = await context.newPage();
  await cut.route('**/trimvald.data', route => route.abort());
  const missing = await said(cut, url + 'index.html');
  check(/не загрузилась/.test(missing.text) && !missing.loading, 'a data file that does not come is said',
        missing.text);
  const blind = await context.newPage();
  await blind.addInitScript(() => {
    const getContext = HTMLCanvasElement.prototype.getContext;
    HTMLCanvasElement.prototype.getContext = function (type, ...rest) {
      return /webgl/.test(type) ? null : getContext.call(this, type, ...rest);
    };
  });
  const noWebGL = await said(blind, url + 'index.html');
  check(/WebGL/.test(noWebGL.text), 'without WebGL the page says so', noWebGL.text);
}

// The player's settings, kept by the page: a stored file with a half sensitivity, an inverted
// look and a line the game does not know; on a French keyboard the key at the W place (Z) walks,
// as keys go by their place. The panel names the bad line, the recording holds what the game
// read, and it checks natively.
async function settings(browser, keep, url) {
  console.log('-- the player\'s settings');
  const { page, errors } = await newPage(browser, keep);
  await page.goto(url + 'index.html');
  await page.evaluate(() => localStorage.setItem('trimvald.settings',
    '[mouse]\nsensitivity = 0.5\ninvert = yes\nwobble = 3\n'));
  await page.goto(url + 'index.html?record');
  await startQuestion(page);
  const problems = await page.evaluate(() => document.getElementById('settings-problems').textContent);
  check(/settings\.ini:4: .*wobble/.test(problems), 'the panel names the stored file\'s bad line', problems);
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => !document.getElementById('canvas').hidden);
  await sleep(1000);
  await hold(page, 'Enter', 100);
  await sleep(1500);
  await page.mouse.click(400, 300);
  await page.waitForFunction(() => document.pointerLockElement === document.getElementById('canvas'));
  const cdp = await page.context().newCDPSession(page);
  const azertyZ = { code: 'KeyW', key: 'z', text: 'z', windowsVirtualKeyCode: 90 };
  await cdp.send('Input.dispatchKeyEvent', Object.assign({ type: 'keyDown' }, azertyZ));
  await sleep(500);
  await cdp.send('Input.dispatchKeyEvent', Object.assign({ type: 'keyUp' }, azertyZ));
  await page.mouse.move(500, 350, { steps: 4 });
  await sleep(300);
  await hold(page, 'F1', 100);
  await page.waitForSelector('#download:not([hidden])', { timeout: 10000 });
  const [download] = await Promise.all([page.waitForEvent('download', { timeout: 10000 }), page.click('#recording')]);
  const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'trimvald-web-')), 'settings.replay');
  await download.saveAs(file);
  const frames = recordedFrames(fs.readFileSync(file, 'utf8'));
  check(frames.some(frame => frame.keys.join() === 'W') && !frames.some(frame => frame.keys.includes('Z')),
        'the key at the W place of a French keyboard walked forward');
  const motion = frames.reduce((sum, frame) => [sum[0] + frame.mouse[0], sum[1] + frame.mouse[1]], [0, 0]);
  check(motion.join() === '50,-25', 'the game read half the motion, its vertical turned over',
        `page 100,50, game ${motion}`);
  const checked = replay(['--check', file]);
  check(checked.status === 0, 'that recording passes trimvald-replay --check', checked.stdout.trim());
  check(errors.length === 0, 'the page reported no error', errors.join(' | '));
}

run('web play', 300, async keep => {
  const server = keep(await serve(pageFolder));
  const browser = keep(await launch());
  await cannotPlay(browser, keep, server.url);
  await declined(browser, keep, server.url);
  await round(browser, keep, server.url);
  await settings(browser, keep, server.url);
});
