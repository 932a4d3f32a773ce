// Pictures of the web page for the README, in headless chromium: on a
// desktop-sized window and on a phone-sized screen, after 0,01 % a year
// over 365 periods and N.Mensual, typed in.
//   node screenshots.mjs SITE_DIR OUTPUT_DIR
import {createRequire} from 'node:module';
import {join} from 'node:path';
import {serve} from './serve.mjs';

const puppeteer = createRequire(import.meta.url)('puppeteer-core');
const [site, out] = process.argv.slice(2);
const server = await serve(site);
const browser = await puppeteer.launch({
  executablePath: process.env.TASA_CHROMIUM ?? '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
for (const [name, width, height, scale] of [['web-desktop', 1024, 768, 1],
  ['web-phone', 360, 640, 2]]) {
  const page = await browser.newPage();
  await page.setViewport({width, height, deviceScaleFactor: scale, isMobile: scale > 1,
    hasTouch: scale > 1});
  await page.goto(server.url, {waitUntil: 'load'});
  await page.waitForFunction(() => !document.getElementById('Form1').classList.contains('loading'));
  for (const [id, text] of [['Text1', '0,01'], ['Text2', '365']]) {
    await page.click(`#${id}`, {clickCount: 3});
    await page.keyboard.type(text);
  }
  await page.click('#Command2');
  await page.screenshot({path: join(out, `${name}.png`),
    clip: name === 'web-desktop' ? {x: 312, y: 0, width: 400, height: 290} : undefined});
  await page.close();
}
await browser.close();
server.close();
