// The web page measured by Lighthouse (npm, pinned in scripts/web), driving
// Debian's chromium, headless: mobile (a slow 4G phone, simulated) and
// desktop, each first load in a fresh profile, served as the site asks to
// be (scripts/web/serve.mjs); the median of RUNS of each category's score
// and of the load's figures, and the audits that failed or could not run.
//   node page_lighthouse.mjs SITE_DIR [RUNS]   (npm ci in scripts/web, with its devDependencies)
import {createRequire} from 'node:module';
import {chromium} from '../../scripts/web/browser.mjs';
import {serve} from '../../scripts/web/serve.mjs';

const [site, runs = '3'] = process.argv.slice(2);
const tools = createRequire(new URL('../../scripts/web/', import.meta.url));
const lighthouse = (await import(tools.resolve('lighthouse'))).default;
const desktop = (await import(tools.resolve('lighthouse/core/config/desktop-config.js'))).default;
const chromeLauncher = await import(tools.resolve('chrome-launcher'));

const server = await serve(site);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const figures = {
  'first-contentful-paint': 'FCP', 'largest-contentful-paint': 'LCP',
  'total-blocking-time': 'TBT', 'cumulative-layout-shift': 'CLS', 'speed-index': 'SI',
};

for (const [name, config] of [['mobile', undefined], ['desktop', desktop]]) {
  const scores = {};
  const values = {};
  const failing = new Set();
  for (let run = 0; run < Number(runs); ++run) {
    // As root chromium needs --no-sandbox; the closed network refuses its
    // background connections.
    const chrome = await chromeLauncher.launch({chromePath: chromium, chromeFlags: [
      '--headless=new', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--no-first-run']});
    try {
      const {lhr} = await lighthouse(server.url, {port: chrome.port, output: 'json',
        logLevel: 'error'}, config);
      for (const [id, category] of Object.entries(lhr.categories)) {
        (scores[id] ??= []).push(Math.round(category.score * 100));
      }
      for (const id of Object.keys(figures)) {
        (values[id] ??= []).push(lhr.audits[id].numericValue);
      }
      for (const audit of Object.values(lhr.audits)) {
        if (audit.scoreDisplayMode === 'error' ||
            (audit.score !== null && audit.score < 0.9 && audit.scoreDisplayMode !== 'informative' &&
             audit.scoreDisplayMode !== 'manual')) {
          failing.add(`${audit.id}${audit.scoreDisplayMode === 'error' ? ' (error)' : ''}`);
        }
      }
    } finally {
      await chrome.kill();
    }
  }
  console.log(`${name}, medians of ${runs}: ` + Object.entries(scores)
      .map(([id, all]) => `${id} ${median(all)}`).join(', ') + '; ' +
      Object.entries(figures).map(([id, short]) => `${short} ${id === 'cumulative-layout-shift' ?
        median(values[id]).toFixed(3) : `${median(values[id]).toFixed(0)} ms`}`).join(', '));
  console.log(`  audits failed or not run: ${[...failing].sort().join(', ') || 'none'}`);
}
server.close();
