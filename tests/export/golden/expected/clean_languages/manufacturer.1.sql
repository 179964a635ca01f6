INSERT INTO `ps_manufacturer` (`id_manufacturer`,`name`,`date_add`,`date_upd`,`active`) VALUES (1,'BOSCH',NOW(),NOW(),1);
INSERT INTO `ps_manufacturer` (`id_manufacturer`,`name`,`date_add`,`date_upd`,`active`) VALUES (2,'FEBI BILSTEIN',NOW(),NOW(),1);
INSERT INTO `ps_manufacturer` (`id_manufacturer`,`name`,`date_add`,`date_upd`,`active`) VALUES (3,'O\'NEIL',NOW(),NOW(),1);
INSERT INTO `ps_manufacturer` (`id_manufacturer`,`name`,`date_add`,`date_upd`,`active`) VALUES (4,'TRAIL\\',NOW(),NOW(),1);
INSERT INTO `ps_manufacturer` (`id_manufacturer`,`name`,`date_add`,`date_upd`,`active`) VALUES (5,'VAG',NOW(),NOW(),1);
INSERT INTO `ps_manufacturer` (`id_manufacturer`,`name`,`date_add`,`date_upd`,`active`) VALUES (6,'MANN-FILTER',NOW(),NOW(),1);
