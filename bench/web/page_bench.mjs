// The web page against a bare page with the same controls and no script,
// in headless chromium, each first load in a fresh profile, interleaved:
// the time from navigation to ready for a click (the load event, and the
// core loaded), as a ratio; the time until the form is painted on a phone
// on Slow 3G with the processor slowed 4 times, as a ratio; a click's
// median inside the page; and what the page loads, compressed.
//   node page_bench.mjs SITE_DIR [RUNS [SLOW_RUNS]]   (scripts/web's npm packages: npm ci there)
import {cp, mkdtemp, readFile, stat, writeFile} from 'node:fs/promises';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {createRequire} from 'node:module';
import {coreLoaded, launch, openReady} from '../../scripts/web/browser.mjs';
import {serve} from '../../scripts/web/serve.mjs';

const [site, runs = '25', slowRuns = '5'] = process.argv.slice(2);
// The bare page: the same document and style, no script, no preloading,
// no manifest.
const copy = await mkdtemp(join(tmpdir(), 'tasa-bench-'));
await cp(site, copy, {recursive: true});
const page = await readFile(join(site, 'index.html'), 'utf8');
await writeFile(join(copy, 'bare.html'), page.replace(/<script[^>]*><\/script>\n/g, '')
    .replace(/<link rel="(preload|manifest)"[^>]*>\n/g, ''));

const server = await serve(copy);
const browser = await launch();
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// Loaded, and for the page its core too.
const opened = async (context, path, viewport, before = async () => {}) => {
  const tab = await context.newPage();
  await tab.setViewport(viewport);
  await before(tab);
  await tab.goto(server.url + path, {waitUntil: 'load', timeout: 120000});
  if (path === '') await coreLoaded(tab);
  return tab;
};
const readyIn = async (path) => {
  const context = await browser.createBrowserContext();
  const tab = await opened(context, path, {width: 1024, height: 768});
  const ms = await tab.evaluate(() => {
    const load = performance.getEntriesByType('navigation')[0].loadEventEnd;
    const ready = performance.getEntriesByName('tasa-ready')[0];
    return Math.max(load, ready ? ready.startTime : 0);
  });
  await context.close();
  return ms;
};
// On a phone on Slow 3G, 4 times slower: from navigation to the form's
// first paint (nothing is painted before it).
const {PredefinedNetworkConditions} = createRequire(import.meta.url)(
    '../../scripts/web/node_modules/puppeteer-core');
const paintedIn = async (path) => {
  const context = await browser.createBrowserContext();
  const tab = await opened(context, path, {width: 360, height: 640, hasTouch: true,
    isMobile: true}, async (slowed) => {
    await slowed.emulateNetworkConditions(PredefinedNetworkConditions['Slow 3G']);
    await slowed.emulateCPUThrottling(4);
  });
  const ms = await (await tab.waitForFunction(() =>
    performance.getEntriesByName('first-contentful-paint')[0]?.startTime)).jsonValue();
  await context.close();
  return ms;
};
const interleaved = async (measure, count) => {
  const ours = [];
  const bare = [];
  for (let i = 0; i < count + 1; ++i) {
    const a = await measure('');
    const b = await measure('bare.html');
    if (i > 0) {  // the first of each warms the server and the browser
      ours.push(a);
      bare.push(b);
    }
  }
  return [ours, bare];
};
const [ours, bare] = await interleaved(readyIn, Number(runs));
const [oursSlow, bareSlow] = await interleaved(paintedIn, Number(slowRuns));

const tab = await openReady(browser, server.url);
// Runs of 200 clicks, each run's time over its clicks: a browser's clock
// is coarser than a click.
const clicks = await tab.evaluate(() => {
  const times = [];
  for (let run = 0; run < 20; ++run) {
    const start = performance.now();
    for (let i = 0; i < 200; ++i) {
      document.getElementById('Text1').value = ' ';
      document.getElementById('Text2').value = '12';
      document.getElementById('Text3').value = String(1 + (i % 7) / 8);
      document.getElementById('Command1').click();
    }
    times.push((performance.now() - start) / 200);
  }
  return times;
});

// The page's first load, as its links and the service worker name them.
const loaded = ['index.html', 'manifest.webmanifest', 'sw.js',
  ...[...page.matchAll(/(?:href|src)="([^"]+\.(?:css|js|wasm|svg))"/g)].map((match) => match[1])];
const sizes = {};
for (const suffix of ['.gz', '.br']) {
  sizes[suffix] = 0;
  for (const file of loaded) sizes[suffix] += (await stat(join(site, file + suffix))).size;
}

console.log(`ready for a click: ${median(ours).toFixed(1)} ms, the bare page ` +
    `${median(bare).toFixed(1)} ms: ${(median(ours) / median(bare)).toFixed(2)}x ` +
    `(aim 1.5x), medians of ${runs} first loads each`);
console.log(`a click of N.Anual in the page: ${(median(clicks) * 1000).toFixed(0)} µs median ` +
    `(aim 500 µs), runs of 200`);
console.log(`form painted on a phone on Slow 3G, 4x slower: ${median(oursSlow).toFixed(0)} ms, ` +
    `the bare page ${median(bareSlow).toFixed(0)} ms: ` +
    `${(median(oursSlow) / median(bareSlow)).toFixed(2)}x (aim 1.1x), medians of ${slowRuns} first loads each`);
console.log(`what the page loads: ${(sizes['.gz'] / 1024).toFixed(1)} KB gzipped, ` +
    `${(sizes['.br'] / 1024).toFixed(1)} KB with Brotli (aim 150 KB): ${loaded.join(', ')}`);
await browser.close();
server.close();
