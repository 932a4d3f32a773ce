// The web page against a bare page with the same controls and no script,
// in headless chromium, each first load in a fresh profile, interleaved:
// the time from navigation to ready for a click (the load event, and the
// core loaded), as a ratio; a click's median inside the page; and what the
// page loads, gzipped.
//   node page_bench.mjs SITE_DIR [RUNS]      (scripts/web's npm packages: npm ci there)
import {mkdtemp, readFile, writeFile, cp} from 'node:fs/promises';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {gzipSync} from 'node:zlib';
import {launch, openReady} from '../../scripts/web/browser.mjs';
import {serve} from '../../scripts/web/serve.mjs';

const [site, runs = '25'] = process.argv.slice(2);
// The bare page: the same document and style, no script, nothing hidden.
const copy = await mkdtemp(join(tmpdir(), 'tasa-bench-'));
await cp(site, copy, {recursive: true});
const page = await readFile(join(site, 'index.html'), 'utf8');
await writeFile(join(copy, 'bare.html'), page.replace(/<script[^>]*><\/script>\n/g, '')
    .replace(' class="loading"', '').replace('<link rel="manifest" href="manifest.webmanifest">\n', ''));

const server = await serve(copy);
const browser = await launch();
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const readyIn = async (path) => {
  const context = await browser.createBrowserContext();
  const tab = await openReady(context, server.url + path);
  const ms = await tab.evaluate(() => {
    const load = performance.getEntriesByType('navigation')[0].loadEventEnd;
    const ready = performance.getEntriesByName('tasa-ready')[0];
    return Math.max(load, ready ? ready.startTime : 0);
  });
  await context.close();
  return ms;
};
const ours = [];
const bare = [];
for (let i = 0; i < Number(runs) + 1; ++i) {
  const a = await readyIn('');
  const b = await readyIn('bare.html');
  if (i > 0) {  // the first of each warms the server and the browser
    ours.push(a);
    bare.push(b);
  }
}

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

const loaded = ['index.html', 'page.css', 'page.js', 'tasa-core.js', 'tasa-core.wasm',
  'manifest.webmanifest', 'tasa-efectiva.svg', 'sw.js'];
let gzipped = 0;
for (const file of loaded) gzipped += gzipSync(await readFile(join(site, file)), {level: 9}).length;

console.log(`ready for a click: ${median(ours).toFixed(1)} ms, the bare page ` +
    `${median(bare).toFixed(1)} ms: ${(median(ours) / median(bare)).toFixed(2)}x ` +
    `(aim 1.5x), medians of ${runs} first loads each`);
console.log(`a click of N.Anual in the page: ${(median(clicks) * 1000).toFixed(0)} µs median ` +
    `(aim 500 µs), runs of 200`);
console.log(`what the page loads: ${(gzipped / 1024).toFixed(1)} KB gzipped (aim 150 KB): ` +
    loaded.join(', '));
await browser.close();
server.close();
