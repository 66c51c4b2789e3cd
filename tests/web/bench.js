// The browser build's budgets, measured in headless Chromium (SwiftShader) on 127.0.0.1:
// everything the page loads, gzip-compressed; the time from the address to the start question
// (the median of several fresh loads); the gaps between the game's swaps on the title and in
// play at 800x600 (index.html?frames keeps the time of each swap); the frames once more with the
// page composited on SwiftShader rather than in software, to tell the drawing from the showing.
//   node tests/web/bench.js BUILD_WEB [LOADS]
'use strict';

const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const { serve, launch } = require('./chromium');

const pageFolder = process.argv[2] && path.resolve(process.argv[2]);
const loads = Number(process.argv[3] || 7);
if (!pageFolder || !(loads > 0)) {
  console.error('usage: node tests/web/bench.js BUILD_WEB [LOADS]');
  process.exit(2);
}

const sleep = milliseconds => new Promise(done => setTimeout(done, milliseconds));
const median = values => {
  const sorted = values.slice().sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
let over = 0;
function figure(what, value, unit, budget, within) {
  const held = within(value);
  if (!held)
    over++;
  console.log(`${what.padEnd(52)} ${value.toFixed(unit === 'MB' ? 2 : 1).padStart(8)} ${unit.padEnd(3)} ` +
              `(budget ${budget})${held ? '' : '  OVER BUDGET'}`);
}

// The processor time so far of the browser's processes (this script's descendants), in seconds,
// by the process's kind: the GPU process draws WebGL with SwiftShader, the renderer runs the page
// and the game. Read from /proc, so that a slow frame can be told from a slow machine.
function browserTimes() {
  const processes = new Map();
  for (const pid of fs.readdirSync('/proc').filter(name => /^\d+$/.test(name)))
    try {
      const stat = fs.readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
      const command = fs.readFileSync(`/proc/${pid}/cmdline`, 'utf8');
      processes.set(pid, { parent: stat[1], seconds: (Number(stat[11]) + Number(stat[12])) / 100,
                           kind: (command.match(/--type=([a-z-]+)/) || [null, 'browser'])[1] });
    } catch (error) {
      // Gone meanwhile.
    }
  const ours = pid => {
    for (let at = pid, depth = 0; processes.has(at) && depth < 16; at = processes.get(at).parent, depth++)
      if (at === String(process.pid))
        return at !== pid;
    return false;
  };
  const times = {};
  for (const [pid, { seconds, kind }] of processes)
    if (ours(pid))
      times[kind] = (times[kind] || 0) + seconds;
  return times;
}

// The time the start question opened, on the page's clock (from the address being asked for).
function markQuestion() {
  const showModal = HTMLDialogElement.prototype.showModal;
  HTMLDialogElement.prototype.showModal = function () {
    if (window.testQuestionAt === undefined)
      window.testQuestionAt = performance.now();
    return showModal.call(this);
  };
}

async function freshPage(browser, query) {
  const context = await browser.newContext({ viewport: { width: 800, height: 700 } });
  await context.addInitScript(markQuestion);
  const page = await context.newPage();
  page.setDefaultTimeout(30000);
  await page.goto(query);
  await page.waitForSelector('#box[open]');
  return { context, page };
}

// The gaps between the swaps of the next `milliseconds`, and the processor time the browser's
// GPU process and renderer spent a frame meanwhile.
async function gaps(page, milliseconds) {
  const from = await page.evaluate(() => window.trimvaldFrames.length);
  const before = browserTimes();
  await sleep(milliseconds);
  const after = browserTimes();
  const times = await page.evaluate(first => window.trimvaldFrames.slice(first), from);
  const frames = times.length - 1;
  const perFrame = kind => ((after[kind] || 0) - (before[kind] || 0)) * 1000 / frames;
  const load = fs.readFileSync('/proc/loadavg', 'utf8').split(' ')[0];
  const rate = frames * 1000 / (times[frames] - times[0]);
  const spent = `  (${rate.toFixed(0)} frames a second; processor time a frame: GPU process ` +
                `${perFrame('gpu-process').toFixed(1)} ms, renderer ${perFrame('renderer').toFixed(1)} ms; ` +
                `the machine's load ${load})`;
  return Object.assign(times.slice(1).map((time, i) => time - times[i]), { spent });
}

// The frames: the title, then a game in play (walking, looking round, casting); judged against
// the budgets when `judged`.
async function frames(browser, server, judged) {
  const say = (what, value, budget, within) => judged ? figure(what, value, 'ms', budget, within)
    : console.log(`${what.padEnd(52)} ${value.toFixed(1).padStart(8)} ms`);
  const { context, page } = await freshPage(browser, server.url + 'index.html?frames');
  await page.keyboard.press('Enter');
  await sleep(1500);
  const title = await gaps(page, 4000);
  say(`title, median gap between swaps (${title.length} frames)`, median(title), '10.0-10.6 ms',
      value => value >= 10.0 && value <= 10.6);
  console.log(title.spent);
  await page.keyboard.press('Enter');
  await sleep(1500);
  await page.mouse.click(400, 300);
  await page.keyboard.down('w');
  const playing = gaps(page, 5000);
  for (let i = 0; i < 25; i++) {
    await page.mouse.move(400 + 10 * (i % 5), 300);
    if (i % 8 === 0)
      await page.keyboard.press('e');
    await sleep(180);
  }
  const play = await playing;
  await page.keyboard.up('w');
  const canvas = await page.evaluate(() => [document.getElementById('canvas').width,
                                            document.getElementById('canvas').height].join('x'));
  say(`in play at ${canvas}, median gap between swaps (${play.length} frames)`, median(play), 'at most 16 ms',
      value => value <= 16);
  console.log(play.spent);
  const sorted = play.slice().sort((a, b) => a - b);
  console.log(`  (in play: 10th percentile ${sorted[Math.floor(sorted.length * 0.1)].toFixed(1)} ms, ` +
              `90th ${sorted[Math.floor(sorted.length * 0.9)].toFixed(1)} ms)`);
  await context.close();
}

async function main() {
  const server = await serve(pageFolder);
  const browser = await launch();
  const watchdog = setTimeout(() => { console.error('bench.js: not done within 10 minutes'); process.exit(1); },
                              600000);
  try {
    // Fresh loads: every file anew (the server forbids caching, each context its own cache).
    const startTimes = [];
    for (let i = 0; i < loads; i++) {
      const first = server.served.length;
      const { context, page } = await freshPage(browser, server.url);
      startTimes.push(await page.evaluate(() => window.testQuestionAt));
      if (i === 0) {
        await sleep(1000);
        const files = server.served.slice(first);
        const raw = files.reduce((sum, file) => sum + file.bytes.length, 0);
        const packed = files.reduce((sum, file) => sum + zlib.gzipSync(file.bytes, { level: 9 }).length, 0);
        console.log(`the page loads ${files.length} files: ${files.map(file => file.name).join(', ')}`);
        figure(`everything the page loads, gzip -9 (${(raw / 1e6).toFixed(2)} MB as served)`, packed / 1e6, 'MB',
               'at most 4 MB', value => value <= 4);
      }
      await context.close();
    }
    figure(`address to the start question, median of ${loads}`, median(startTimes), 'ms', 'at most 2000 ms',
           value => value <= 2000);
    console.log(`  (each load: ${startTimes.map(time => time.toFixed(0)).join(', ')} ms)`);

    // The frames are judged with the page composited as a player's browser composites it, on
    // its graphics device (here SwiftShader, on the processor like the rest). Composited in
    // software instead (--disable-gpu), Chromium reads every frame it shows back from WebGL,
    // and waits for it, on the page's own thread: that configuration's figures are shown for
    // comparison, not judged.
    const compositing = await launch(true);
    try {
      console.log('composited on SwiftShader (no --disable-gpu), as a browser with a graphics device composites:');
      await frames(compositing, server, true);
    } finally {
      await compositing.close();
    }
    console.log('composited in software (--disable-gpu), for comparison:');
    await frames(browser, server, false);
  } finally {
    clearTimeout(watchdog);
    await browser.close();
    await server.close();
  }
  process.exit(over ? 1 : 0);
}

main().catch(error => { console.error('bench.js:', error.stack || error); process.exit(1); });
